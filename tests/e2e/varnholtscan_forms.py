#!/usr/bin/env python3
"""VarnholtScan's JSON and CSV read back by standard parsers and compared with
its text form; a rule with --act link and --act recycle on disk; argument errors.

usage: varnholtscan_forms.py WINE_RUN WINE_ROOT VARNHOLTSCAN_EXE
Exits 77 (skipped) when this machine cannot run the program."""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

WINE_RUN, ROOT, EXE = sys.argv[1:4]
CONFIG = os.path.join(os.path.dirname(EXE), "config.ini")  # the template: size and content
failures = []


def win(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def scan(*args):
    run = subprocess.run([WINE_RUN, ROOT, EXE, "--config", win(CONFIG), "--no-cache", *args],
                         capture_output=True, timeout=120)
    if run.returncode == 77:
        print("VarnholtScan cannot run on this machine")
        sys.exit(77)
    return run.returncode, run.stdout, run.stderr.decode("utf-8", "replace")


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: got {got!r}, expected {expected!r}")


def text_groups(data):
    """The groups of the saved-results text: path lines below a group's name line."""
    text = data.decode("utf-8-sig") if data.startswith(b"\xef\xbb\xbf") else data.decode("latin-1")
    groups, current, heading_next, started = [], None, False, False
    for line in text.split("\r\n"):
        if line == "---":
            started, heading_next, current = True, True, None
        elif not started or not line:
            continue
        elif heading_next:
            heading_next = False
        elif "\\" not in line:
            current = []
            groups.append(current)
        elif current is not None:
            current.append(line)
    return groups


def tree(top):
    """Three groups (one with a name that needs quoting in CSV and UTF-8 in text), a
    kept folder, a file of its own; last-write times that tell newest from oldest.
    The settings compare names too."""
    files = {"a/x.txt": (b"x" * 10, 1000), "b/x.txt": (b"x" * 10, 3000), "kept/x.txt": (b"x" * 10, 2000),
             "a/y.bin": (b"y" * 5000, 3000), "b/deep/y.bin": (b"y" * 5000, 1000),
             "a/z, \u00fc\u20ac.txt": (b"z" * 20, 1000), "b/z, \u00fc\u20ac.txt": (b"z" * 20, 2000),
             "a/alone.txt": (b"alone", 1000)}
    for name, (data, time) in files.items():
        path = os.path.join(top, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        os.utime(path, (time * 100000, time * 100000))
    return {name: win(os.path.join(top, name)) for name in files}


with tempfile.TemporaryDirectory(dir=os.environ.get("TMPDIR", "/tmp")) as top:
    paths = tree(top)
    kept = win(os.path.join(top, "kept"))
    rule = ["--keep", "newest", "--kept", kept]
    _, text, _ = scan(*rule, win(top))
    code, js, _ = scan("--format", "json", *rule, win(top))
    check("exit code", code, 0)
    found = json.loads(js.decode("utf-8"))
    groups = [g for c in found["categories"] for g in c["groups"]]
    check("json groups", [[m["path"] for m in g["members"]] for g in groups], text_groups(text))
    check("json numbers", [g["group"] for g in groups], list(range(1, len(groups) + 1)))
    removed = {m["path"] for g in groups for m in g["members"] if m["remove"]}
    # The newest stays; the kept folder's file is never ticked.
    check("newest rule", removed, {paths["a/x.txt"], paths["b/deep/y.bin"], paths["a/z, \u00fc\u20ac.txt"]})
    check("summary", found["summary"]["groups"], len(groups))

    code, raw, _ = scan("--format", "csv", *rule, win(top))
    check("csv byte-order mark", raw[:3], b"\xef\xbb\xbf")
    rows = list(csv.reader(io.StringIO(raw[3:].decode("utf-8"), newline="")))
    check("csv header", rows[0], ["group", "size", "last_write", "path", "verdict", "outcome"])
    by_group = {}
    for row in rows[1:]:
        by_group.setdefault(int(row[0]), []).append(row)
    check("csv groups", [[r[3] for r in by_group[n]] for n in sorted(by_group)], text_groups(text))
    check("csv verdicts", {r[3] for r in rows[1:] if r[4] == "remove"}, removed)
    check("csv times", {r[2] for r in rows[1:]} <= {m["last_write"] for g in groups for m in g["members"]}, True)

    # Links: the ticked files become the file that stays; the kept one stays itself.
    code, js, err = scan("--format", "json", *rule, "--act", "link", win(top))
    check("link exit code", code, 0)
    acted = json.loads(js.decode("utf-8"))["summary"]
    check("link summary", (acted["acted_on"], acted["bytes_freed"], acted["left"]), (3, 5030, 0))
    check("link summary line", "acted on 3 files, 5030 bytes freed, 0 files left" in err, True)
    ino = lambda name: os.stat(os.path.join(top, name)).st_ino
    check("linked", [ino("a/x.txt") == ino("b/x.txt"), ino("b/deep/y.bin") == ino("a/y.bin"),
                     ino("kept/x.txt") == ino("b/x.txt")], [True, True, False])

with tempfile.TemporaryDirectory(dir=os.environ.get("TMPDIR", "/tmp")) as top:
    paths = tree(top)
    # Recycling the oldest-but-one: exactly the ticked files go; kept and alone files stay.
    code, js, err = scan("--format", "json", "--keep", "oldest", "--kept", win(os.path.join(top, "kept")),
                         "--act", "recycle", win(top))
    check("recycle exit code", code, 0)
    members = [m for c in json.loads(js.decode("utf-8"))["categories"] for g in c["groups"] for m in g["members"]]
    gone = {m["path"] for m in members if m.get("outcome") == "recycled"}
    check("recycled", gone, {paths["b/x.txt"], paths["a/y.bin"], paths["b/z, \u00fc\u20ac.txt"]})
    for name, path in paths.items():
        check("on disk: " + name, os.path.exists(os.path.join(top, name)), path not in gone)
    check("recycle lines", sum(line.startswith("VarnholtScan: recycled: ") for line in err.splitlines()), 3)

    for args, says in [(["--act", "link"], "--keep"), (["--format", "xml"], "unknown format"),
                       (["--keep", "largest"], "unknown rule"), (["--keep", "first", "--act", "move:"], "unknown action")]:
        code, out, err = scan(*args, win(top))
        check(f"{args} exit code", code, 2)
        check(f"{args} says why", says in err, True)
        check(f"{args} output", out, b"")

for failure in failures:
    print("FAILED", failure)
sys.exit(1 if failures else 0)
