#!/usr/bin/env python3
"""The Japanese text table's generator: which translations become rows, in which order, and
whether the C literals it writes hold exactly the texts of the .ts files."""
import os
import re
import subprocess
import sys
import tempfile
import unittest

GENERATOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "ts_table.py")

HEADER = '<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n<TS version="2.1" language="ja_JP">\n'


def ts(*contexts):
    body = ""
    for name, messages in contexts:
        body += f"<context>\n<name>{name}</name>\n"
        for source, translation in messages:
            body += f"<message>\n<source>{source}</source>\n{translation}\n</message>\n"
        body += "</context>\n"
    return HEADER + body + "</TS>\n"


def unescape(literal):
    """The bytes a C string literal of the generator's kind holds."""
    out = bytearray()
    i = 0
    while i < len(literal):
        if literal[i] == "\\":
            if literal[i + 1] in "01234567":
                out.append(int(literal[i + 1 : i + 4], 8))
                i += 4
            else:
                out += literal[i + 1].encode()
                i += 2
        else:
            out += literal[i].encode()
            i += 1
    return out.decode("utf-8")


ROW = re.compile(r'^    \{"((?:[^"\\]|\\.)*)", "((?:[^"\\]|\\.)*)", "((?:[^"\\]|\\.)*)"\},$')


class TsTableTest(unittest.TestCase):
    def run_generator(self, *files):
        with tempfile.TemporaryDirectory() as folder:
            paths = []
            for i, text in enumerate(files):
                path = os.path.join(folder, f"area{i}_ja.ts")
                with open(path, "w", encoding="utf-8") as out:
                    out.write(text)
                paths.append(path)
            output = os.path.join(folder, "table.cpp")
            run = subprocess.run([sys.executable, GENERATOR, output, *paths], capture_output=True, text=True)
            rows = []
            if run.returncode == 0:
                with open(output, encoding="utf-8") as table:
                    text = table.read()
                for line in text.splitlines():
                    match = ROW.match(line)
                    if match:
                        rows.append(tuple(unescape(part) for part in match.groups()))
                # The rows the program sees: an empty table keeps one placeholder for the compiler.
                rows = rows[: int(re.search(r"span<const TextRow>\(kRows, (\d+)\)", text).group(1))]
            return run, rows

    def test_only_finished_translations_become_rows(self):
        cases = [
            ("<translation>\u8a33</translation>", True),
            ('<translation type="unfinished">\u8a33</translation>', False),
            ('<translation type="vanished">\u8a33</translation>', False),
            ('<translation type="obsolete">\u8a33</translation>', False),
            ("<translation></translation>", False),
            ("", False),
        ]
        for translation, kept in cases:
            with self.subTest(translation=translation):
                run, rows = self.run_generator(ts(("C", [("Source", translation)])))
                self.assertEqual(run.returncode, 0, run.stderr)
                self.assertEqual(rows, [("C", "Source", "\u8a33")] if kept else [])

    def test_texts_come_back_byte_for_byte(self):
        texts = [
            ("&amp;Next &gt;", "\u6b21\u3078(&amp;N) &gt;", "&Next >", "\u6b21\u3078(&N) >"),
            ("It&apos;s &quot;%1&quot;", "\u300c%1\u300d", "It's \"%1\"", "\u300c%1\u300d"),
            ("Two\n\nparagraphs", "\u4e8c\n\n\u6bb5", "Two\n\nparagraphs", "\u4e8c\n\n\u6bb5"),
            ("Back\\slash ??= trigraph?", "\u309b?", "Back\\slash ??= trigraph?", "\u309b?"),
            # A byte escape followed by a character that is a hex digit.
            ("\u00e9a", "\u00e9F", "\u00e9a", "\u00e9F"),
        ]
        for source, translation, wanted_source, wanted_translation in texts:
            with self.subTest(source=source):
                run, rows = self.run_generator(ts(("Ctx", [(source, f"<translation>{translation}</translation>")])))
                self.assertEqual(run.returncode, 0, run.stderr)
                self.assertEqual(rows, [("Ctx", wanted_source, wanted_translation)])

    def test_rows_sorted_by_bytes_across_files(self):
        first = ts(("b", [("z", "<translation>1</translation>"), ("a", "<translation>2</translation>")]))
        second = ts(("B", [("x", "<translation>3</translation>")]), ("\u00e4", [("y", "<translation>4</translation>")]))
        run, rows = self.run_generator(first, second)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual([(c, s) for c, s, _ in rows], [("B", "x"), ("b", "a"), ("b", "z"), ("\u00e4", "y")])

    def test_the_same_text_translated_twice(self):
        same = ts(("C", [("S", "<translation>\u540c</translation>")]))
        run, rows = self.run_generator(same, same)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(len(rows), 1, "one row for one text")

        other = ts(("C", [("S", "<translation>\u5225</translation>")]))
        run, _ = self.run_generator(same, other)
        self.assertNotEqual(run.returncode, 0, "two translations of one text must not pass unnoticed")
        self.assertIn("translated twice", run.stdout + run.stderr)


if __name__ == "__main__":
    unittest.main()
