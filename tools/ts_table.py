#!/usr/bin/env python3
"""Turns Qt Linguist translation files into a C++ table for the Windows edition.

usage: ts_table.py OUTPUT.cpp FILE_ja.ts...

Each finished translation becomes one row (context, English source, translation), sorted by
context and source so that the program finds a row by binary search. Unfinished, vanished and
obsolete translations are left out, as lrelease -nounfinished leaves them out of the Qt edition.
The same (context, source) translated two different ways is an error: one source for each text.
"""
import sys
import xml.etree.ElementTree as ElementTree

SKIPPED_TYPES = {"unfinished", "vanished", "obsolete"}


def read_rows(paths):
    rows = {}
    for path in paths:
        root = ElementTree.parse(path).getroot()
        for context in root.iter("context"):
            name = context.findtext("name") or ""
            for message in context.iter("message"):
                source = message.findtext("source")
                translation = message.find("translation")
                if source is None or translation is None:
                    continue
                if translation.get("type") in SKIPPED_TYPES or not translation.text:
                    continue
                key = (name, source)
                if key in rows and rows[key] != translation.text:
                    raise SystemExit(f"{path}: {name} / {source!r} is translated twice, differently")
                rows[key] = translation.text
    return rows


def literal(text):
    """A C string literal holding the UTF-8 bytes of `text`, every byte outside printable ASCII
    as a three-digit octal escape (which, unlike \\x, never swallows the character after it)."""
    out = ['"']
    for byte in text.encode("utf-8"):
        char = chr(byte)
        if char in '"\\?':
            out.append("\\" + char)
        elif 0x20 <= byte < 0x7F:
            out.append(char)
        else:
            out.append(f"\\{byte:03o}")
    out.append('"')
    return "".join(out)


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    output, inputs = argv[1], argv[2:]
    rows = read_rows(inputs)
    # Sorted by UTF-8 bytes, as std::string_view compares them.
    keys = sorted(rows, key=lambda key: (key[0].encode("utf-8"), key[1].encode("utf-8")))
    lines = [
        "// Generated from the .ts files by tools/ts_table.py when the program is built; do not edit.",
        '#include "ui/win32/TextTable.h"',
        "",
        "namespace zt40::win {",
        "",
        "namespace {",
        f"constexpr TextRow kRows[{max(len(keys), 1)}] = {{",
    ]
    for context, source in keys:
        lines.append(f"    {{{literal(context)}, {literal(source)}, {literal(rows[(context, source)])}}},")
    if not keys:
        lines.append('    {"", "", ""},')
    lines += [
        "};",
        "}  // namespace",
        "",
        f"std::span<const TextRow> JapaneseRows() {{ return std::span<const TextRow>(kRows, {len(keys)}); }}",
        "",
        "}  // namespace zt40::win",
        "",
    ]
    text = "\n".join(lines)
    with open(output, "w", encoding="utf-8") as out:
        out.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
