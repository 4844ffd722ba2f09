#!/usr/bin/env python3
"""Writes the photograph that the benchmark takes as an icon: a 6000 x 4000
JPEG of smooth colours with fine grain, as a camera's picture compresses.

    make-photo.py OUTPUT.jpg
"""
import sys

from PIL import Image

WIDTH, HEIGHT = 6000, 4000


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    red = Image.linear_gradient('L').resize((WIDTH, HEIGHT))
    green = Image.radial_gradient('L').resize((WIDTH, HEIGHT))
    grain = Image.effect_noise((WIDTH, HEIGHT), 24)
    blue = Image.blend(red.rotate(90, expand=False), grain, 0.5)
    Image.merge('RGB', (red, green, blue)).save(sys.argv[1], 'JPEG', quality=90)


if __name__ == '__main__':
    main()
