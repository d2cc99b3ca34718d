#!/usr/bin/env python3
"""Makes a seeded tree of empty files for the benchmarks, on the host, in a folder that a Wine drive maps.

Shapes:
  regular  two levels: top folders of up to 1,000 subfolders each (the old benchmark tree)
  random   each new folder lies under a randomly chosen existing one (deep and uneven, as real drives are)
  chain    chains of --depth nested folders side by side
  huge     every folder and every file in one folder
Files are spread evenly over the folders. A share of the names is Japanese (kana and kanji that the
ANSI code page 932 holds). The same seed and sizes always give the same tree.
"""
import argparse
import os
import random
import sys

KANA = "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン"
KANJI = "設定資料画像音楽文書保存共通基本拡張表示管理一時記録"
ASCII = "abcdefghijklmnopqrstuvwxyz0123456789"
EXTENSIONS = [".dll", ".exe", ".txt", ".dat", ".ini", ".htm", ".bmp", ".hlp"]


def make_names(rng, count, japanese, prefix):
    """count distinct names; Japanese ones carry a serial number so they never repeat."""
    names = []
    for i in range(count):
        if rng.random() < japanese:
            body = "".join(rng.choice(KANA + KANJI) for _ in range(rng.randint(2, 6)))
        else:
            body = "".join(rng.choice(ASCII) for _ in range(rng.randint(3, 10)))
        names.append(f"{prefix}{body}{i:x}")
    return names


def parents(rng, shape, folders, depth):
    """The parent index of each folder (-1: the tree's root)."""
    if shape == "regular":
        per = 1000
        tops = max(1, -(-folders // per))
        return [-1 if i < tops else (i - tops) % tops for i in range(folders)]
    if shape == "random":
        return [rng.randrange(-1, i) for i in range(folders)]
    if shape == "chain":
        return [-1 if i % depth == 0 else i - 1 for i in range(folders)]
    if shape == "huge":
        return [-1] * folders
    raise ValueError(shape)


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("out", help="folder to make (must not exist)")
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--folders", type=int, default=100000)
    p.add_argument("--files", type=int, default=400000)
    p.add_argument("--shape", choices=["regular", "random", "chain", "huge"], default="random")
    p.add_argument("--japanese", type=float, default=0.2, help="share of Japanese names, 0 to 1")
    p.add_argument("--depth", type=int, default=90, help="chain length of the chain shape")
    a = p.parse_args()
    if os.path.exists(a.out):
        sys.exit(f"{a.out} exists")
    rng = random.Random(a.seed)
    parent = parents(rng, a.shape, a.folders, a.depth)
    names = make_names(rng, a.folders, a.japanese, "d")
    os.makedirs(a.out)
    paths = []
    for i in range(a.folders):
        base = a.out if parent[i] < 0 else paths[parent[i]]
        path = os.path.join(base, names[i])
        os.mkdir(path)
        paths.append(path)
    files = make_names(rng, a.files, a.japanese, "f")
    homes = [a.out] if a.shape == "huge" or not paths else paths
    for i, name in enumerate(files):
        folder = homes[i * len(homes) // a.files] if a.files else a.out
        open(os.path.join(folder, name + rng.choice(EXTENSIONS)), "wb").close()
    deepest = 0
    level = [0] * a.folders
    for i in range(a.folders):
        level[i] = 1 if parent[i] < 0 else level[parent[i]] + 1
        deepest = max(deepest, level[i])
    print(f"{a.out}: {a.shape}, {a.folders} folders, {a.files} files, deepest level {deepest}, "
          f"mean level {sum(level) / max(1, a.folders):.1f}")


if __name__ == "__main__":
    main()
