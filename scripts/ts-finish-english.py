#!/usr/bin/env python3
"""Finishes the English edition's .ts files: the English text is the source text itself.

Run after `cmake --build build --target update_translations`; the Japanese files are
translated by hand (Qt Linguist or an editor)."""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent / "res" / "i18n"
message = re.compile(
    r"(<source>(?P<source>[^<]*)</source>\s*(?:<comment>.*?</comment>\s*)?)"
    r"<translation type=\"unfinished\"\s*(?:/>|>(?P<old>.*?)</translation>)",
    re.S)

changed = 0
for path in sorted(root.glob("*_en.ts")):
    text = path.read_text(encoding="utf-8")
    new, count = message.subn(lambda m: m.group(1) + "<translation>" + m.group("source") + "</translation>", text)
    if count:
        path.write_text(new, encoding="utf-8")
        changed += count
        print(f"{path.name}: {count} finished")
sys.exit(0)
