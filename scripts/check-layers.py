#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

Each file's layer comes from its folder. The table below is the one place that orders the
folders; a product folder missing from it fails the check, so a new folder has to be placed
before it can land. Besides the order, no two files may include each other in a loop.
"""
import os
import re
import sys

# Lowest first. Folders on the same rank do not include each other either: a rank holds
# siblings that each build on what lies below.
RANKS = [
    ("operating-system calls", ["platform/os"]),
    ("platform interfaces", ["platform"]),
    ("plain data types", ["types"]),
    ("device protocol, print jobs, usage record", ["device", "printjob", "record"]),
    ("printer session and maintenance frame", ["session"]),
    ("wizard logic", ["wizards"]),
    ("dialog logic", ["app"]),
    ("platform backends", ["platform/linux", "platform/sim", "platform/win32"]),
    ("wiring", ["wiring"]),
    ("programs", ["ui", "ui/win32", "ctl"]),
    ("benchmarks, fuzzers, tools", ["bench", "fuzz", "tools"]),
]
# Backends implement the interfaces and see nothing of the core but the bottom ranks.
BACKENDS = {"platform/linux", "platform/sim", "platform/win32"}
BOTTOM = set(RANKS[0][1]) | set(RANKS[1][1]) | set(RANKS[2][1])
# Stand-alone programs with their own include roots, run at build time; they include nothing
# of the product.
STANDALONE = {"printjob/resources/generator"}
# Not product code: tests keep their own order, the rest holds no C++ of the product.
IGNORED_TOP = {"tests", "docs", "res", "debian", "cmake", "scripts", ".ci", ".git", ".github"}

SOURCE = re.compile(r"\.(c|cc|cpp|h|hpp)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def layer_of(folder):
    """The longest table entry that the folder is or lies in, with its rank."""
    best = None
    for rank, (_, folders) in enumerate(RANKS):
        for entry in folders:
            if folder == entry or folder.startswith(entry + "/"):
                if best is None or len(entry) > len(best[0]):
                    best = (entry, rank)
    return best


def sources(root):
    for dirpath, dirnames, filenames in os.walk(root):
        rel = os.path.relpath(dirpath, root)
        top = rel.split(os.sep)[0]
        if rel != "." and (top in IGNORED_TOP or top.startswith("build") or top.startswith(".")):
            dirnames[:] = []
            continue
        for name in filenames:
            if SOURCE.search(name):
                yield os.path.normpath(os.path.join(rel, name)).replace(os.sep, "/")


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    root = os.path.abspath(root)
    problems = []
    graph = {}
    files = sorted(sources(root))
    known = set(files)
    for path in files:
        folder = os.path.dirname(path)
        if any(folder == s or folder.startswith(s + "/") for s in STANDALONE):
            continue
        own = layer_of(folder)
        if own is None:
            problems.append(f"{path}: its folder '{folder or '.'}' has no layer; place it in scripts/check-layers.py")
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as handle:
            text = handle.read()
        graph[path] = []
        for match in INCLUDE.finditer(text):
            included = match.group(1)
            line = text.count("\n", 0, match.start()) + 1
            target = included if included in known else os.path.normpath(os.path.join(folder, included))
            if target not in known:
                continue  # generated or system-like headers: not ours to order
            graph[path].append(target)
            theirs = layer_of(os.path.dirname(target))
            if theirs is None or theirs[0] == own[0]:
                continue
            where = f"{path}:{line}: includes {included}"
            if own[0] in BACKENDS and theirs[0] not in BOTTOM:
                problems.append(f"{where}: a backend ({own[0]}) sees only {', '.join(sorted(BOTTOM))}")
            elif theirs[1] > own[1]:
                problems.append(f"{where}: '{theirs[0]}' ({RANKS[theirs[1]][0]}) lies above "
                                f"'{own[0]}' ({RANKS[own[1]][0]})")
            elif theirs[1] == own[1]:
                problems.append(f"{where}: '{theirs[0]}' and '{own[0]}' are siblings on one layer")
    problems.extend(include_loops(graph))
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"check-layers: {len(problems)} problem(s)", file=sys.stderr)
        return 1
    print(f"check-layers: {len(graph)} files, every include points down or within its folder, no include loop")
    return 0


def include_loops(graph):
    """Strongly connected groups of files (Tarjan, iterative), each one a loop to report."""
    index = {}
    low = {}
    on_stack = set()
    stack = []
    loops = []
    counter = 0
    for start in graph:
        if start in index:
            continue
        work = [(start, iter(graph.get(start, [])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            advanced = False
            for child in children:
                if child not in index:
                    index[child] = low[child] = counter
                    counter += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(graph.get(child, []))))
                    advanced = True
                    break
                if child in on_stack:
                    low[node] = min(low[node], index[child])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == node:
                        break
                if len(group) > 1 or node in graph.get(node, []):
                    loops.append("include loop: " + " -> ".join(sorted(group)))
    return loops


if __name__ == "__main__":
    sys.exit(main(sys.argv))
