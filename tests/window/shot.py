#!/usr/bin/env python3
"""Reads a screenshot of the X server for the real-window test.

    shot.py view SHOT.png            -> "x y w h" of the black view around the centre
    shot.py pixel SHOT.png X Y       -> "r g b" of one pixel
    shot.py lit SHOT.png X Y W H     -> how many pixels of the box are not black
"""
import subprocess
import sys


def load(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    w, h = int(size[0]), int(size[1])
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    return w, h, raw


def pixel(img, x, y):
    w, _, raw = img
    i = (y * w + x) * 3
    return raw[i], raw[i + 1], raw[i + 2]


def black(img, x, y):
    return pixel(img, x, y) == (0, 0, 0)


def view(img):
    w, h, _ = img
    cx, cy = w // 2, h // 2
    if not black(img, cx, cy):
        raise SystemExit("the centre of the screen is not the empty view")
    left = cx
    while left > 0 and black(img, left - 1, cy):
        left -= 1
    right = cx
    while right < w - 1 and black(img, right + 1, cy):
        right += 1
    top = cy
    while top > 0 and black(img, cx, top - 1):
        top -= 1
    bottom = cy
    while bottom < h - 1 and black(img, cx, bottom + 1):
        bottom += 1
    return left, top, right - left + 1, bottom - top + 1


def main():
    what, path = sys.argv[1], sys.argv[2]
    img = load(path)
    if what == "view":
        print(*view(img))
    elif what == "pixel":
        print(*pixel(img, int(sys.argv[3]), int(sys.argv[4])))
    elif what == "lit":
        x, y, bw, bh = (int(v) for v in sys.argv[3:7])
        print(sum(not black(img, i, j) for j in range(y, y + bh) for i in range(x, x + bw)))
    else:
        raise SystemExit("unknown query " + what)


if __name__ == "__main__":
    main()
