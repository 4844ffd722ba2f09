#!/usr/bin/env python3
"""Writes the photograph that the benchmark takes as an icon: a 6000 x 4000
JPEG of smooth colours with fine grain, as a camera's picture compresses;
or one of the size given, as a cover.

    make-photo.py OUTPUT.jpg [WIDTH HEIGHT]
"""
import sys

from PIL import Image

WIDTH, HEIGHT = 6000, 4000


def main():
    if len(sys.argv) not in (2, 4):
        sys.exit(__doc__)
    size = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) == 4 else (WIDTH, HEIGHT)
    red = Image.linear_gradient('L').resize(size)
    green = Image.radial_gradient('L').resize(size)
    grain = Image.effect_noise(size, 24)
    blue = Image.blend(red.rotate(90, expand=False), grain, 0.5)
    Image.merge('RGB', (red, green, blue)).save(sys.argv[1], 'JPEG', quality=90)


if __name__ == '__main__':
    main()
