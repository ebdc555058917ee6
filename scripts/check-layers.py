#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

Each file's layer comes from its folder. The table below is the one place that orders the
folders; a product folder missing from it fails the check, so a new folder has to be placed
before it can land. Besides the order, no two files may include each other in a loop, shipped
code never includes the tests' own files, one system's headers stay in that system's folders,
and a target links every library whose headers its sources reach (read from the CMakeLists.txt
files, so that the include graph and the link graph cannot drift apart).
"""
import fnmatch
import glob
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

# Not ordered by the table: tests keep their own order, the rest holds no C++ of the product.
NOT_RANKED = {"tests"}
SKIPPED_TOP = {"docs", "res", "debian", "cmake", "scripts", ".ci", ".git", ".github"}
# What uses the tests' doubles besides the tests; nothing of it ships.
NOT_SHIPPED = {"tests", "bench", "fuzz", "tools"}

# One system's headers, by family: where each may be included, and where not even then. The C
# runtime of both systems has fcntl.h and sys/stat.h: those go wherever either family may.
WINDOWS_HEADERS = {
    "windows.h", "winspool.h", "commctrl.h", "commdlg.h", "shlobj.h", "shellapi.h", "shlwapi.h",
    "winioctl.h", "setupapi.h", "cfgmgr32.h", "winsock2.h", "ws2tcpip.h", "prsht.h", "dbt.h",
    "wincodec.h", "aclapi.h", "accctrl.h", "sddl.h", "objbase.h", "ole2.h", "oleauto.h",
    "combaseapi.h", "winreg.h", "winuser.h", "wingdi.h", "winbase.h", "windowsx.h", "winerror.h",
    "winternl.h", "tchar.h", "io.h", "direct.h", "process.h", "conio.h", "userenv.h", "lmcons.h",
    "psapi.h", "tlhelp32.h", "hidsdi.h", "usbiodef.h", "usbprint.h", "devguid.h", "initguid.h",
    "uxtheme.h", "dwmapi.h", "mmsystem.h", "fcntl.h", "sys/stat.h", "sys/types.h",
}
POSIX_HEADERS = {
    "unistd.h", "fcntl.h", "poll.h", "dlfcn.h", "pthread.h", "spawn.h", "pwd.h", "grp.h",
    "termios.h", "dirent.h", "syslog.h", "sched.h", "semaphore.h", "netdb.h", "ifaddrs.h",
    "libgen.h", "glob.h", "fnmatch.h", "mntent.h", "libusb.h", "libudev.h",
}
POSIX_PREFIXES = ("sys/", "netinet/", "arpa/", "linux/", "libusb-1.0/", "cups/", "X11/", "xcb/")
QT_HEADER = re.compile(r"^(Q[A-Z]\w*|Qt\w+/.*)$")
PLATFORM_FAMILIES = [
    ("Windows", lambda h: h.lower() in WINDOWS_HEADERS,
     ["platform/win32", "platform/os/win32", "wiring/win32", "ui/win32", "tests/win32",
      # Its one Windows-only case checks the lock a second process meets, through the system's own call.
      "tests/record/UsageRecordStoreTest.cpp"], []),
    ("POSIX or Linux", lambda h: h in POSIX_HEADERS or h.startswith(POSIX_PREFIXES),
     ["platform/linux", "platform/os/posix", "wiring/linux", "ui", "bench", "fuzz", "tools", "tests"],
     ["ui/win32", "tests/win32"]),
    ("Qt", lambda h: QT_HEADER.match(h) is not None,
     ["ui", "bench", "tools", "tests/ui"], ["ui/win32"]),
]

SOURCE = re.compile(r"\.(c|cc|cpp|h|hpp)$")
COMPILED = re.compile(r"\.(c|cc|cpp)$")
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*(?:"([^"]+)"|<([^>]+)>)', re.MULTILINE)


def under(path, folders):
    return any(path == f or path.startswith(f + "/") for f in folders)


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
        if rel != "." and (top in SKIPPED_TOP or top.startswith("build") or top.startswith(".")):
            dirnames[:] = []
            continue
        for name in filenames:
            if SOURCE.search(name):
                yield os.path.normpath(os.path.join(rel, name)).replace(os.sep, "/")


def resolve(path, included, quoted, known):
    """The tree file an include names, or None for a system or generated header. Quoted names
    are looked up beside the file first; the tests also have their own folder on the path."""
    folder = os.path.dirname(path)
    candidates = [os.path.normpath(os.path.join(folder, included))] if quoted else []
    candidates.append(os.path.normpath(included))
    if path.startswith("tests/"):
        candidates.append(os.path.normpath(os.path.join("tests", included)))
    for candidate in candidates:
        candidate = candidate.replace(os.sep, "/")
        if candidate in known:
            return candidate
    return None


def platform_problem(path, header):
    for family, matches, allowed, excluded in PLATFORM_FAMILIES:
        if matches(header) and under(path, allowed) and not under(path, excluded):
            return None
    refused = [(family, allowed) for family, matches, allowed, _ in PLATFORM_FAMILIES if matches(header)]
    if not refused:
        return None
    family, allowed = refused[0]
    return f"a {family} header, allowed only in {', '.join(allowed)}"


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    root = os.path.abspath(root)
    problems = []
    graph = {}
    lines = {}
    files = sorted(sources(root))
    known = set(files)
    ranked = 0
    for path in files:
        folder = os.path.dirname(path)
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as handle:
            text = handle.read()
        graph[path] = []
        standalone = under(folder, STANDALONE)
        ranks = not standalone and not under(folder, NOT_RANKED)
        own = layer_of(folder) if ranks else None
        if ranks and own is None:
            problems.append(f"{path}: its folder '{folder or '.'}' has no layer; place it in scripts/check-layers.py")
            continue
        ranked += ranks
        for match in INCLUDE.finditer(text):
            quoted = match.group(1) is not None
            included = match.group(1) or match.group(2)
            line = text.count("\n", 0, match.start()) + 1
            where = f"{path}:{line}: includes {included if quoted else '<' + included + '>'}"
            target = None if standalone else resolve(path, included, quoted, known)
            if target is None:
                why = platform_problem(path, included)
                if why:
                    problems.append(f"{where}: {why}")
                continue
            graph[path].append(target)
            lines[(path, target)] = line
            if target.startswith("tests/") and not under(path, NOT_SHIPPED):
                problems.append(f"{where}: shipped code never includes the tests' own files (tests/)")
                continue
            if not ranks:
                continue
            theirs = layer_of(os.path.dirname(target))
            if theirs is None or theirs[0] == own[0]:
                continue
            if own[0] in BACKENDS and theirs[0] not in BOTTOM:
                problems.append(f"{where}: a backend ({own[0]}) sees only {', '.join(sorted(BOTTOM))}")
            elif theirs[1] > own[1]:
                problems.append(f"{where}: '{theirs[0]}' ({RANKS[theirs[1]][0]}) lies above "
                                f"'{own[0]}' ({RANKS[own[1]][0]})")
            elif theirs[1] == own[1]:
                problems.append(f"{where}: '{theirs[0]}' and '{own[0]}' are siblings on one layer")
    problems.extend(include_loops(graph))
    targets = None
    if os.path.isfile(os.path.join(root, "CMakeLists.txt")):
        targets = CMakeTargets(root, known)
        problems.extend(link_problems(targets, graph, lines))
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"check-layers: {len(problems)} problem(s)", file=sys.stderr)
        return 1
    links = f", {len(targets.sources)} targets link what they include" if targets else ""
    print(f"check-layers: {len(graph)} files ({ranked} ranked), every include points down or within its folder, "
          f"no include loop, no test file in shipped code, each system's headers in its folders{links}")
    return 0


class CMakeTargets:
    """The targets, their sources and their links, read from the CMakeLists.txt files.

    Both editions at once: every branch of every if() is read, and a variable set inside an if()
    keeps the values of the other branches too, so that a target links what either edition gives
    it. Functions and foreach() loops run as CMake runs them; return() is ignored for the same
    reason as the conditions."""

    def __init__(self, root, known):
        self.root = root
        self.known = known
        self.sources = {}    # target -> tree files
        self.links = {}      # target -> [(library, transitive)]
        self.functions = {}  # name -> (parameters, body)
        self.libraries = set()
        self.read_folder(root, {"CMAKE_SOURCE_DIR": root, "PROJECT_SOURCE_DIR": root})

    # -- reading the language ------------------------------------------------------------------
    TOKEN = re.compile(r'#\[\[.*?\]\]|#[^\n]*|"((?:\\.|[^"\\])*)"|\[\[(.*?)\]\]|(\()|(\))|([^\s()#"]+)', re.S)

    def commands(self, text):
        """(name, [(argument, quoted)]) for each command of a listfile."""
        out = []
        position = 0
        name_pattern = re.compile(r'\s*(?:#\[\[.*?\]\]|#[^\n]*)?', re.S)
        word = re.compile(r'([A-Za-z_][A-Za-z0-9_]*)\s*\(')
        while position < len(text):
            match = name_pattern.match(text, position)
            position = match.end()
            if position >= len(text):
                break
            match = word.match(text, position)
            if not match:
                position += 1
                continue
            name = match.group(1).lower()
            position = match.end()
            depth = 1
            arguments = []
            while depth and position < len(text):
                token = self.TOKEN.search(text, position)
                if not token:
                    position = len(text)
                    break
                position = token.end()
                if token.group(0).startswith("#"):
                    continue
                if token.group(3):
                    depth += 1
                elif token.group(4):
                    depth -= 1
                elif token.group(1) is not None:
                    arguments.append((token.group(1).replace('\\"', '"'), True))
                elif token.group(2) is not None:
                    arguments.append((token.group(2), True))
                else:
                    arguments.append((token.group(5), False))
            out.append((name, arguments))
        return out

    @staticmethod
    def expand(value, variables):
        reference = re.compile(r"\$\{([^${}]*)\}")
        while True:
            expanded = reference.sub(lambda m: variables.get(m.group(1), ""), value)
            if expanded == value:
                return value
            value = expanded

    def arguments(self, raw, variables):
        out = []
        for value, quoted in raw:
            value = self.expand(value, variables)
            if quoted:
                out.append(value)
            else:
                out.extend(item for item in value.split(";") if item)
        return out

    def read_folder(self, folder, variables):
        listfile = os.path.join(folder, "CMakeLists.txt")
        if not os.path.isfile(listfile):
            return
        variables = dict(variables, CMAKE_CURRENT_SOURCE_DIR=folder)
        with open(listfile, encoding="utf-8") as handle:
            self.run(self.commands(handle.read()), variables)

    @staticmethod
    def block(commands, start, opening, closing):
        """The index of the command closing the block opened at `start`."""
        depth = 0
        for index in range(start, len(commands)):
            if commands[index][0] in opening:
                depth += 1
            elif commands[index][0] in closing:
                depth -= 1
                if depth == 0:
                    return index
        return len(commands)

    def run(self, commands, variables, conditional=0):
        index = 0
        while index < len(commands):
            name, raw = commands[index]
            if name in ("function", "macro"):
                end = self.block(commands, index, ("function", "macro"), ("endfunction", "endmacro"))
                parameters = self.arguments(raw, variables)
                self.functions[parameters[0].lower()] = (parameters[1:], commands[index + 1:end])
                index = end + 1
                continue
            if name == "foreach":
                end = self.block(commands, index, ("foreach",), ("endforeach",))
                arguments = self.arguments(raw, variables)
                items = []
                if len(arguments) > 1 and arguments[1] == "IN":
                    mode = None
                    for argument in arguments[2:]:
                        if argument in ("LISTS", "ITEMS"):
                            mode = argument
                        elif mode == "LISTS":
                            items.extend(i for i in variables.get(argument, "").split(";") if i)
                        else:
                            items.append(argument)
                elif len(arguments) > 1 and arguments[1] != "RANGE":
                    items = arguments[1:]
                for item in items:
                    variables[arguments[0]] = item
                    self.run(commands[index + 1:end], variables, conditional)
                index = end + 1
                continue
            if name == "if":
                conditional += 1
            elif name == "endif":
                conditional -= 1
            else:
                self.command(name, self.arguments(raw, variables), variables, conditional)
            index += 1

    def assign(self, variables, name, values, conditional):
        if conditional and variables.get(name):
            values = variables[name].split(";") + [v for v in values if v not in variables[name].split(";")]
        variables[name] = ";".join(values)

    def tree_files(self, arguments, variables):
        here = variables["CMAKE_CURRENT_SOURCE_DIR"]
        out = []
        for argument in arguments:
            full = os.path.normpath(os.path.join(here, argument))
            relative = os.path.relpath(full, self.root).replace(os.sep, "/")
            if relative in self.known:
                out.append(relative)
        return out

    def command(self, name, arguments, variables, conditional):
        if not arguments and name not in self.functions:
            return
        if name == "set":
            values = arguments[1:]
            for stop in ("CACHE", "PARENT_SCOPE"):
                if stop in values:
                    values = values[:values.index(stop)]
            self.assign(variables, arguments[0], values, conditional)
        elif name == "list" and arguments[0] == "APPEND" and len(arguments) > 1:
            current = [v for v in variables.get(arguments[1], "").split(";") if v]
            variables[arguments[1]] = ";".join(current + arguments[2:])
        elif name == "file" and arguments[0] in ("GLOB", "GLOB_RECURSE"):
            found = []
            for pattern in arguments[2:]:
                if pattern in ("CONFIGURE_DEPENDS", "LIST_DIRECTORIES", "true", "false"):
                    continue
                pattern = os.path.join(variables["CMAKE_CURRENT_SOURCE_DIR"], pattern)
                found.extend(sorted(glob.glob(pattern, recursive=arguments[0] == "GLOB_RECURSE")))
            self.assign(variables, arguments[1], found, conditional)
        elif name == "string" and arguments[0] == "REPLACE" and len(arguments) >= 4:
            self.assign(variables, arguments[3], ["".join(arguments[4:]).replace(arguments[1], arguments[2])],
                        conditional)
        elif name == "get_filename_component" and len(arguments) >= 3:
            path = arguments[1]
            parts = {"NAME": os.path.basename(path), "NAME_WE": os.path.basename(path).split(".")[0],
                     "DIRECTORY": os.path.dirname(path)}
            if arguments[2] in parts:
                self.assign(variables, arguments[0], [parts[arguments[2]]], conditional)
        elif name == "add_subdirectory":
            folder = os.path.normpath(os.path.join(variables["CMAKE_CURRENT_SOURCE_DIR"], arguments[0]))
            if folder.startswith(self.root + os.sep):
                self.read_folder(folder, dict(variables))
        elif name in ("add_library", "add_executable"):
            if "ALIAS" in arguments or "IMPORTED" in arguments:
                return
            self.sources.setdefault(arguments[0], set()).update(self.tree_files(arguments[1:], variables))
            self.links.setdefault(arguments[0], [])
            if name == "add_library":
                self.libraries.add(arguments[0])
        elif name == "target_sources":
            self.sources.setdefault(arguments[0], set()).update(self.tree_files(arguments[1:], variables))
        elif name == "target_link_libraries":
            transitive = True
            for argument in arguments[1:]:
                if argument in ("PUBLIC", "INTERFACE", "LINK_PUBLIC", "LINK_INTERFACE_LIBRARIES"):
                    transitive = True
                elif argument in ("PRIVATE", "LINK_PRIVATE"):
                    transitive = False
                else:
                    self.links.setdefault(arguments[0], []).append((argument, transitive))
        elif name in self.functions:
            parameters, body = self.functions[name]
            scope = dict(variables)
            for position, parameter in enumerate(parameters):
                scope[parameter] = arguments[position] if position < len(arguments) else ""
            scope["ARGN"] = ";".join(arguments[len(parameters):])
            self.run(body, scope)

    # -- what the targets give -----------------------------------------------------------------
    def reach(self, target):
        """The libraries whose headers a target's sources may use: what it links, and what those
        link on to their users."""
        seen = set()
        work = [library for library, _ in self.links.get(target, [])]
        while work:
            library = work.pop()
            if library in seen:
                continue
            seen.add(library)
            work.extend(next_one for next_one, transitive in self.links.get(library, []) if transitive)
        return seen & self.libraries

    def owners(self, header):
        """The libraries a header belongs to: the one building the source of its name, else those
        building sources in its folder, else below it, else in the folder above."""
        stem = os.path.splitext(header)[0]
        named = {t for t, files in self.sources.items() for f in files
                 if f == header or (COMPILED.search(f) and os.path.splitext(f)[0] == stem)}
        if named:
            return named & self.libraries
        folder = os.path.dirname(header)
        while True:
            here = {t for t, files in self.sources.items() for f in files if os.path.dirname(f) == folder}
            if not here:
                here = {t for t, files in self.sources.items() for f in files if f.startswith(folder + "/")}
            if here or not folder:
                return here & self.libraries
            folder = os.path.dirname(folder)


def link_problems(targets, graph, lines):
    """Every header a target's sources reach, directly or through other headers, must belong to
    the target itself or to a library it links (headers of programs alone are shared as text)."""
    problems = []
    owners = {}
    reported = set()
    for target in sorted(targets.sources):
        reach = targets.reach(target) | {target}
        seen = set()
        work = sorted(f for f in targets.sources[target] if COMPILED.search(f))
        while work:
            path = work.pop()
            if path in seen:
                continue
            seen.add(path)
            for header in graph.get(path, []):
                if header not in owners:
                    owners[header] = targets.owners(header)
                mine = owners[header]
                if not mine or mine & reach:
                    work.append(header)
                    continue
                # What the unlinked header includes in turn is that library's own business.
                if (target, path, header) in reported:
                    continue
                reported.add((target, path, header))
                problems.append(f"{path}:{lines[(path, header)]}: includes {header}, a header of "
                                f"{' or '.join(sorted(mine))}, which {target} does not link")
    return problems


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
