#!/usr/bin/env python3
"""compare_sets.py VARNHOLT_OUTPUT JDUPES_OUTPUT

Compares the duplicate sets of a saved results list (paths Z:\\...) with the
sets jdupes prints (one path a line, sets apart by an empty line), leaving
out files of 0 bytes. Exit status 1 when they differ."""
import os
import sys


def varnholt_sets(path):
    sets, current = [], None
    with open(path, "rb") as f:
        text = f.read()
    if text.startswith(b"\xef\xbb\xbf"):
        lines = text[3:].decode("utf-8").split("\r\n")
    else:
        lines = text.decode("latin-1").split("\r\n")
    for line in lines:
        if "\\" in line and not line.endswith("."):
            if current is None:
                current = []
                sets.append(current)
            p = line[2:].replace("\\", "/") if line[1:2] == ":" else line
            current.append(p)
        else:
            current = None
    return sets


def jdupes_sets(path):
    sets, current = [], []
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        for line in f:
            line = line.rstrip("\n")
            if line:
                current.append(line)
            elif current:
                sets.append(current)
                current = []
    if current:
        sets.append(current)
    return sets


def normal(sets):
    return {frozenset(s) for s in sets if len(s) >= 2 and os.path.getsize(s[0]) > 0}


a, b = normal(varnholt_sets(sys.argv[1])), normal(jdupes_sets(sys.argv[2]))
if a == b:
    print("  same duplicate sets as jdupes: %d sets, %d files" % (len(a), sum(len(s) for s in a)))
    sys.exit(0)
print("  DIFFERENT from jdupes: %d sets only here, %d only in jdupes" % (len(a - b), len(b - a)))
for s in list(a - b)[:3]:
    print("    here:", sorted(s))
for s in list(b - a)[:3]:
    print("    jdupes:", sorted(s))
sys.exit(1)
