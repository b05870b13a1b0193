#!/usr/bin/env python3
"""Writes a tree of files for the duplicate-search benchmark.

make_dupes_tree.py DIR COUNT MEAN_SIZE [SEED]

COUNT files in folders of about 100, two levels deep; sizes uniform in
0..2*MEAN_SIZE (at least 1 byte). A quarter of the files are copies of other
files; one in a hundred originals shares its size and first 64 KiB with
another original and differs only in its last byte. Contents are random.
"""
import os
import random
import sys


def main():
    root, count, mean = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 1)
    os.makedirs(root, exist_ok=False)
    per_folder = 100
    folders = []
    for i in range((count + per_folder - 1) // per_folder):
        f = os.path.join(root, "d%03d" % (i // 100), "e%03d" % (i % 100))
        os.makedirs(f, exist_ok=True)
        folders.append(f)
    copies = count // 4
    originals = count - copies
    written = []  # (path, size)
    n = 0

    def place():
        nonlocal n
        p = os.path.join(folders[n // per_folder], "f%07d.bin" % n)
        n += 1
        return p

    slots = ["o"] * originals + ["c"] * copies
    rng.shuffle(slots)
    slots[0] = "o"  # the first file has nothing to copy
    for kind in slots:
        path = place()
        if kind == "o" or not written:
            if written and rng.random() < 0.01:
                # Same size and first block as an earlier original, last byte differs.
                src, size = rng.choice(written)
                with open(src, "rb") as f:
                    data = bytearray(f.read())
                if data:
                    data[-1] ^= 0xFF
                data = bytes(data)
            else:
                size = max(1, int(rng.random() * 2 * mean))
                data = os.urandom(size)
            with open(path, "wb") as f:
                f.write(data)
            written.append((path, len(data)))
        else:
            src, size = rng.choice(written)
            with open(src, "rb") as f:
                data = f.read()
            with open(path, "wb") as f:
                f.write(data)
    print("%s: %d files, %d copies" % (root, count, copies))


if __name__ == "__main__":
    main()
