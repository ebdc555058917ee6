#!/usr/bin/env python3
"""Finishes the English edition's .ts files: the English text is the source text itself.

Run after `cmake --build build --target update_translations`; the Japanese files are
translated by hand (Qt Linguist or an editor)."""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent / "res" / "i18n"
# Matched within one <message> at a time: across the whole file, a lazy match that starts at a
# finished entry's comment could run on into the next unfinished entry and swallow both.
block = re.compile(r"<message\b.*?</message>", re.S)
message = re.compile(
    r"(<source>(?P<source>[^<]*)</source>\s*(?:<comment>[^<]*</comment>\s*)?)"
    r"<translation type=\"unfinished\"\s*(?:/>|>(?P<old>[^<]*)</translation>)")


def finish(entry):
    return message.subn(lambda m: m.group(1) + "<translation>" + m.group("source") + "</translation>", entry)

changed = 0
for path in sorted(root.glob("*_en.ts")):
    text = path.read_text(encoding="utf-8")
    count = 0

    def one(match):
        global count
        new_entry, n = finish(match.group(0))
        count += n
        return new_entry

    new = block.sub(one, text)
    if count:
        path.write_text(new, encoding="utf-8")
        changed += count
        print(f"{path.name}: {count} finished")
sys.exit(0)
