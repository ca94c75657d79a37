#!/usr/bin/env python3
"""Checks that the source tree's dependencies point one way.

Includes: every "..." include of the project's own C and C++ sources must
reach a layer that its own layer may include (LAYERS below, read
transitively). Libraries: CMake's graphviz output of the whole build must
have no cycle. Exits 1 and names every offence.

    check_layers.py --source DIR [--graph FILE.dot | --toolchain FILE]

With --toolchain the graph is made by configuring the tree afresh in a
temporary folder; --graph reads one already made.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

# Each layer (a folder, the longest that holds a file wins) and the layers
# directly below it; a layer may include its own files and everything below
# it, transitively. tests/ may include anything.
LAYERS = {
    "platform": [],
    "vessa": ["platform"],
    "KyPackage": ["vessa"],
    "turboInfo_Intel": ["vessa"],
    "tuning": ["turboInfo_Intel"],
    "ocapi": ["tuning"],
    # Dovrel, the dialog library: never the program's own folder.
    "profiledialog": ["ocapi", "KyPackage"],
    "app/protocol": [],
    "app/skin": ["KyPackage"],
    "app/controls": ["app/skin", "tuning"],
    "app/bars": ["app/controls"],
    "app/pages": ["app/bars", "app/protocol"],
    "app/forms": ["app/pages"],
    "app/controller": ["app/forms"],
    "app": ["app/controller"],  # Zendrix.cpp, the program's entry
    "tests": None,  # anything
}

SOURCE_SUFFIXES = (".c", ".cpp", ".h", ".hpp")
SKIPPED_FOLDERS = {"build", ".git"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def closure(layers):
    reach = {}

    def visit(name):
        if name not in reach:
            reach[name] = set()
            for below in layers[name] or []:
                reach[name] |= {below} | visit(below)
        return reach[name]

    for name in layers:
        visit(name)
    return reach


def layer_of(path, layers):
    """The layer of a path relative to the tree, or None outside every layer."""
    best = None
    for name in layers:
        if path == name or path.startswith(name + "/"):
            if best is None or len(name) > len(best):
                best = name
    return best


def sources(root):
    for folder, dirs, files in os.walk(root):
        dirs[:] = sorted(d for d in dirs if d not in SKIPPED_FOLDERS and not d.startswith("."))
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def resolve(root, including, target):
    """The included file relative to the tree: beside the includer first,
    then from the tree's root; None for a file outside the tree."""
    for base in (os.path.dirname(including), ""):
        candidate = os.path.normpath(os.path.join(base, target)).replace(os.sep, "/")
        if not candidate.startswith("../") and os.path.isfile(os.path.join(root, candidate)):
            return candidate
    return None


def include_offences(root, layers=LAYERS):
    reach = closure(layers)
    offences = []
    for path in sources(root):
        own = layer_of(path, layers)
        if own is None or layers[own] is None:
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as text:
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = resolve(root, path, match.group(1))
                if target is None:
                    continue
                other = layer_of(target, layers)
                if other is None or other == own or other in reach[own]:
                    continue
                offences.append(f"{path}:{number}: includes {target}: {own} may not include {other}")
    return offences


NODE = re.compile(r'^\s*"(\w+)"\s*\[\s*label\s*=\s*"([^"]*)"')
EDGE = re.compile(r'^\s*"(\w+)"\s*->\s*"(\w+)"')


def read_graph(dot_text):
    names, edges = {}, {}
    for line in dot_text.splitlines():
        node = NODE.match(line)
        if node:
            names[node.group(1)] = node.group(2).replace("\\n", " ")
            continue
        edge = EDGE.match(line)
        if edge:
            edges.setdefault(edge.group(1), set()).add(edge.group(2))
    graph = {names.get(a, a): {names.get(b, b) for b in bs} for a, bs in edges.items()}
    for name in names.values():
        graph.setdefault(name, set())
    return graph


def cycles(graph):
    """Every strongly connected group of more than one target, and every
    target that links itself (Tarjan's algorithm, iterative)."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = 0
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            child = next(children, None)
            if child is not None:
                graph.setdefault(child, set())
                if child not in index:
                    index[child] = low[child] = counter
                    counter += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(graph[child]))))
                elif child in on_stack:
                    low[node] = min(low[node], index[child])
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
                if len(group) > 1 or node in graph[node]:
                    found.append(sorted(group))
    return found


def make_graph(root, toolchain):
    with tempfile.TemporaryDirectory(prefix="zx-layers-") as folder:
        dot = os.path.join(folder, "targets.dot")
        subprocess.run(["cmake", "-S", root, "-B", os.path.join(folder, "tree"), "-G", "Ninja",
                        f"-DCMAKE_TOOLCHAIN_FILE={toolchain}", f"--graphviz={dot}"],
                       check=True, stdout=subprocess.DEVNULL)
        with open(dot, encoding="utf-8") as text:
            return text.read()


def self_test():
    """The checks themselves find what they are for."""
    with tempfile.TemporaryDirectory(prefix="zx-layers-self-") as root:
        files = {
            "platform/a/A.h": '#include "app/bars/B.h"\n',  # upward
            "app/bars/B.h": '#include "app/forms/F.h"\n',  # bars -> forms
            "app/bars/C.cpp": '#include "B.h"\n#include "platform/a/A.h"\n',  # fine
            "app/forms/F.h": '#include "../bars/B.h"\n#include <vector>\n',  # fine
            "profiledialog/D.cpp": '#include "app/skin/S.h"\n',  # Dovrel -> program
            "app/skin/S.h": "",
            "tests/x/T.cpp": '#include "app/forms/F.h"\n',  # tests may
        }
        for path, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                out.write(text)
        found = sorted(line.split(":")[0] for line in include_offences(root))
        expected = ["app/bars/B.h", "platform/a/A.h", "profiledialog/D.cpp"]
        if found != expected:
            return [f"self-test: include offences {found}, expected {expected}"]
    dot = '''digraph "Zendrix" {
"node0" [ label = "zx_a", shape = octagon ];
"node1" [ label = "zx_b", shape = octagon ];
"node2" [ label = "zx_c", shape = octagon ];
"node0" -> "node1"  // zx_a -> zx_b
"node1" -> "node2"  // zx_b -> zx_c
"node2" -> "node0"  // zx_c -> zx_a
}'''
    if cycles(read_graph(dot)) != [["zx_a", "zx_b", "zx_c"]]:
        return ["self-test: the library cycle zx_a -> zx_b -> zx_c -> zx_a went unseen"]
    if cycles(read_graph(dot.replace('"node2" -> "node0"', '"node2" -> "node2x"'))):
        return ["self-test: a chain without a cycle was taken for one"]
    return []


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--source", required=True)
    parser.add_argument("--graph")
    parser.add_argument("--toolchain")
    args = parser.parse_args()
    root = os.path.abspath(args.source)

    problems = self_test()
    problems += include_offences(root)
    if args.graph or args.toolchain:
        if args.graph:
            with open(args.graph, encoding="utf-8") as text:
                dot = text.read()
        else:
            dot = make_graph(root, args.toolchain)
        for group in cycles(read_graph(dot)):
            problems.append("library cycle: " + " <-> ".join(group))
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} dependency offence(s)")
        return 1
    print("includes and libraries point one way")
    return 0


if __name__ == "__main__":
    sys.exit(main())
