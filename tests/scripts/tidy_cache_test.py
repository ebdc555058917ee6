#!/usr/bin/env python3
"""The clang-tidy cache: a file is analysed again exactly when its analysis could change, and a
finding is never remembered as clean. A stand-in clang-tidy logs each file it is given and finds
something in any file that says BAD outside a comment."""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "tidy.py")

FAKE_TIDY = """#!/usr/bin/env python3
import re, sys
if sys.argv[1] == "--version":
    print("stand-in clang-tidy 1"); sys.exit(0)
path = sys.argv[-1]
with open(LOG, "a") as log: log.write(path + "\\n")
text = re.sub(r"//.*", "", open(path).read())
if "BAD" in text:
    print(path + ":1:1: warning: BAD is bad [stand-in]"); sys.exit(1)
"""


class TidyCache(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp()
        self.cache = os.path.join(self.work, "cache")
        self.log = os.path.join(self.work, "log")
        self.tidy = os.path.join(self.work, "clang-tidy")
        with open(self.tidy, "w") as handle:
            handle.write(FAKE_TIDY.replace("LOG", repr(self.log)))
        os.chmod(self.tidy, 0o755)
        self.top = self.make_tree(os.path.join(self.work, "tree"))

    def tearDown(self):
        shutil.rmtree(self.work)

    def make_tree(self, top, flags="-O2"):
        os.makedirs(os.path.join(top, "record"), exist_ok=True)
        os.makedirs(os.path.join(top, "build"), exist_ok=True)
        if not os.path.exists(os.path.join(top, ".clang-tidy")):
            self.write(top, ".clang-tidy", "Checks: 'a'\n")
            self.write(top, "record/Header.h", "int h();\n")
            self.write(top, "record/A.cpp", '#include "Header.h"\nint a() { return 1; } // NOLINT BAD\n')
            self.write(top, "record/B.cpp", "int b() { return 2; }\n")
        self.commands(top, flags)
        return top

    def commands(self, top, flags):
        entries = [{"directory": os.path.join(top, "build"), "file": os.path.join(top, "record", name),
                    "command": f"g++ {flags} -I{top}/record -o x.o -c {os.path.join(top, 'record', name)}"}
                   for name in ("A.cpp", "B.cpp")]
        self.write(top, "build/compile_commands.json", json.dumps(entries))

    @staticmethod
    def write(top, name, text):
        with open(os.path.join(top, name), "w") as handle:
            handle.write(text)

    def run_tidy(self, top=None):
        top = top or self.top
        if os.path.exists(self.log):
            os.remove(self.log)
        run = subprocess.run([sys.executable, SCRIPT, os.path.join(top, "build"), "--cache", self.cache,
                              "--tidy", self.tidy, "--top", top, "--jobs", "2"], capture_output=True, text=True)
        analysed = []
        if os.path.exists(self.log):
            with open(self.log) as log:
                analysed = sorted(os.path.basename(p) for p in log.read().split())
        return run.returncode, analysed

    def test_each_change_that_could_change_the_answer_analyses_again(self):
        self.assertEqual(self.run_tidy(), (0, ["A.cpp", "B.cpp"]))
        cases = [  # (what changes, files analysed again)
            ("nothing", lambda: None, []),
            ("a header's text", lambda: self.write(self.top, "record/Header.h", "int h(int);\n"), ["A.cpp"]),
            ("a comment of the file", lambda: self.write(self.top, "record/B.cpp", "int b() { return 2; } // x\n"),
             ["B.cpp"]),
            ("the compile command", lambda: self.commands(self.top, "-O1"), ["A.cpp", "B.cpp"]),
            ("the checks", lambda: self.write(self.top, ".clang-tidy", "Checks: 'b'\n"), ["A.cpp", "B.cpp"]),
            ("the tree's place (a clone elsewhere)", lambda: None, []),
        ]
        for what, change, expected in cases:
            with self.subTest(what):
                change()
                top = self.top
                if what.startswith("the tree's place"):
                    top = os.path.join(self.work, "clone")
                    shutil.copytree(self.top, top)
                    self.commands(top, "-O1")
                self.assertEqual(self.run_tidy(top), (0, expected))

    def test_a_removed_nolint_comment_brings_the_finding_back_every_time(self):
        self.assertEqual(self.run_tidy(), (0, ["A.cpp", "B.cpp"]))
        self.write(self.top, "record/A.cpp", '#include "Header.h"\nint a() { return 1; } BAD\n')
        for attempt in range(2):
            with self.subTest(attempt=attempt):
                self.assertEqual(self.run_tidy(), (1, ["A.cpp"]))


if __name__ == "__main__":
    unittest.main()
