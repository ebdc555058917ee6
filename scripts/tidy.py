#!/usr/bin/env python3
"""Runs clang-tidy over the tree's C++ sources, each again only when it could give another answer.

Every source of compile_commands.json under our folders stays under analysis. A translation unit
is skipped when what clang-tidy would read is what it read when it last came out clean: its
preprocessed text with the comments kept (so a removed NOLINT counts), its compile command, the
checks (.clang-tidy) and the clang-tidy version. Those are hashed into a key; a clean result
leaves an empty file of that name in the cache folder. A finding is never cached and fails.
The tree's own path is taken out of the key, so a clone in another folder shares the cache.
"""
import argparse
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys

# Our folders only; generated sources under any build folder are the tools', not ours.
OURS = re.compile(r"^(?!.*/build[^/]*/).*/(types|session|app|ctl|device|platform|printjob|record|wiring"
                  r"|wizards|ui|tests|bench|fuzz|tools)/.*\.cpp$")


def arguments_of(entry):
    return entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])


def preprocess_command(arguments):
    """The compile command turned into one that prints the preprocessed text with comments."""
    out = []
    skip = False
    for arg in arguments:
        if skip:
            skip = False
            continue
        if arg in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
            continue
        if arg in ("-c", "-MD", "-MMD") or arg.startswith("-o"):
            continue
        out.append(arg)
    return out + ["-E", "-C", "-o", "-"]


def key_of(entry, top, constants):
    arguments = arguments_of(entry)
    text = subprocess.run(preprocess_command(arguments), cwd=entry["directory"], capture_output=True)
    if text.returncode != 0:
        return None  # clang-tidy will say what is wrong with it
    digest = hashlib.sha256(constants)
    for part in (" ".join(arguments).encode(), entry["directory"].encode(), entry["file"].encode(), text.stdout):
        digest.update(part.replace(top, b"@TOP@"))
        digest.update(b"\0")
    return digest.hexdigest()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build_dir")
    parser.add_argument("--cache", required=True)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--tidy", default="clang-tidy")
    parser.add_argument("--top", default=os.path.join(os.path.dirname(__file__), ".."),
                        help="the tree whose .clang-tidy holds the checks")
    options = parser.parse_args()

    top = os.path.abspath(options.top)
    with open(os.path.join(options.build_dir, "compile_commands.json"), encoding="utf-8") as handle:
        entries = [e for e in json.load(handle) if OURS.match(os.path.abspath(e["file"]))]
    version = subprocess.run([options.tidy, "--version"], capture_output=True, check=True).stdout
    with open(os.path.join(top, ".clang-tidy"), "rb") as handle:
        checks = handle.read()
    constants = version + b"\0" + checks + b"\0"
    os.makedirs(options.cache, exist_ok=True)

    def analyse(entry):
        key = key_of(entry, top.encode(), constants)
        marker = os.path.join(options.cache, key) if key else None
        if marker and os.path.exists(marker):
            return entry["file"], "cached", ""
        run = subprocess.run([options.tidy, "-p", options.build_dir, "--quiet", entry["file"]],
                             capture_output=True, text=True)
        output = (run.stdout + run.stderr).strip()
        clean = run.returncode == 0 and not re.search(r": (warning|error):", output)
        if clean and marker:
            open(marker, "w", encoding="utf-8").close()
        return entry["file"], "clean" if clean else "finding", output

    counts = {"cached": 0, "clean": 0, "finding": 0}
    with concurrent.futures.ThreadPoolExecutor(max_workers=options.jobs) as pool:
        for path, verdict, output in pool.map(analyse, entries):
            counts[verdict] += 1
            if verdict == "finding":
                print(f"clang-tidy: {os.path.relpath(path, top)}:\n{output}", file=sys.stderr)
    print(f"clang-tidy: {len(entries)} files: {counts['clean']} analysed clean, {counts['cached']} unchanged "
          f"since they last came out clean, {counts['finding']} with findings")
    return 1 if counts["finding"] else 0


if __name__ == "__main__":
    sys.exit(main())
