#!/usr/bin/env python3
"""Write the icon files that the icon grid's tests and benchmark read.

    make-icon-files.py OUTPUT-FOLDER

Writes into OUTPUT-FOLDER:

    one.ico            one icon of one 32 x 32 image
    three-images.ico   one icon of three images: 16 x 16, 32 x 32, 48 x 48
    claims-many.ico    a header that claims 65535 images, and one image
    past-end.ico       one image whose entry points past the end of the file
    truncated.ico      the first 10 bytes of one.ico
    empty-image.ico    one image entry of size 0
    modern.ico         one icon as today's tools make it: 16 to 256 pixels,
                       32-bit with soft alpha edges, the 256 one a PNG
    monochrome.ico     one icon of one 32 x 32 black and white image, all black
    three-icons.res    three icon groups, each a 32 x 32 and a 16 x 16 image
    eight-icons.res    eight icon groups of one 32 x 32 image
    1024-icons.res     1024 icon groups of one 32 x 32 image
    1500-icons.res     1500 icon groups of one 32 x 32 image
    gap-icons.res      five icon groups of one 32 x 32 image, the third of
                       which names an image the file does not hold
    four-icons.res     four icon groups of one 16 x 16 image
    four-icons.icl     the same four icon groups as a 16-bit (NE) library
    languages.res      two icon groups of one 32 x 32 image, one named, the
                       other in two languages
    halves.png         a 300 x 200 picture, red on the left, blue on the right
    truncated.png      its first half
    not-a-picture.jpg  text
    huge.png           a valid 24000 x 24000 black and white picture

The .res files are compiled resource scripts, which the build turns into
resource-only DLLs. Icon i of a file is filled with IconColour(i) (see
IconColour in IconFiles.h, which must give the same colours), so a test can
tell by a pixel which icon it sees.
"""

import os
import struct
import sys
import zlib

RT_ICON = 3
RT_GROUP_ICON = 14
LANGUAGE_NEUTRAL = 0
LANGUAGE_FRENCH = 0x040C
MOVEABLE_PURE_DISCARDABLE = 0x1030
PURE_DISCARDABLE = 0x1010
# The image that a broken icon group names; no file holds that many images.
MISSING_IMAGE_ID = 0x7FFF


def icon_colour(index):
    """(red, green, blue) of icon `index`; distinct for indexes below 2000."""
    return (0x10 + index % 200, 0x10 + (index // 200) * 16, 0xC0)


def icon_image(size, colour):
    """A 4-bit DIB of `size` x `size` pixels, every pixel opaque `colour`."""
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         (xor_row + and_row) * size, 0, 0, 16, 0)
    red, green, blue = colour
    palette = struct.pack('<BBBB', 0, 0, 0, 0) + struct.pack('<BBBB', blue, green, red, 0)
    palette += b'\0' * 4 * 14
    xor_bits = (b'\x11' * (size // 2)).ljust(xor_row, b'\0') * size
    and_bits = b'\0' * and_row * size
    return header + palette + xor_bits + and_bits


def monochrome_image(size):
    """A 1-bit DIB of `size` x `size` pixels, black and white, every pixel
    opaque black."""
    row = (size + 31) // 32 * 4
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 2 * row * size, 0, 0, 2, 0)
    palette = struct.pack('<BBBB', 0, 0, 0, 0) + struct.pack('<BBBB', 255, 255, 255, 0)
    return header + palette + b'\0' * row * size * 2


def modern_pixels(size):
    """Rows, top first, of (blue, green, red, alpha): a disc whose edge fades
    out over a quarter of its radius, darker towards its centre, on clear."""
    rows = []
    centre = (size - 1) / 2
    for y in range(size):
        row = []
        for x in range(size):
            distance = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5 / (size / 2)
            alpha = max(0, min(255, int((1 - distance) * 4 * 255)))
            shade = int(255 * min(1.0, distance))
            row.append((0x30, shade, 0xE0, alpha) if alpha else (0, 0, 0, 0))
        rows.append(row)
    return rows


def modern_dib(size):
    """A 32-bit DIB with its alpha, and the mask of its clear pixels."""
    rows = modern_pixels(size)
    and_row = (size + 31) // 32 * 4
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, (size * 4 + and_row) * size, 0, 0, 0, 0)
    xor_bits = b''.join(bytes(channel for pixel in row for channel in pixel) for row in reversed(rows))
    and_bits = b''
    for row in reversed(rows):
        bits = 0
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits |= 0x80 >> (x % 8) << (8 * (x // 8))
        and_bits += bits.to_bytes(and_row, 'little')
    return header + xor_bits + and_bits


def png_image(size):
    """A PNG of the same picture: 8-bit RGBA, unfiltered rows."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = b''.join(b'\0' + bytes(c for b, g, r, a in row for c in (r, g, b, a)) for row in modern_pixels(size))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def png_file(width, height, pixel):
    """A PNG of 8-bit RGBA, unfiltered rows; pixel(x, y) gives (r, g, b, a)."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = b''.join(b'\0' + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def huge_png(side):
    """A valid black and white PNG of side x side pixels, small on disk."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    compressor = zlib.compressobj(9)
    row = b'\0' * (1 + (side + 7) // 8)
    data = b''.join(compressor.compress(row * 1000) for _ in range(side // 1000)) + compressor.flush()
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 1, 0, 0, 0, 0)) +
            chunk(b'IDAT', data) + chunk(b'IEND', b''))


def pictures():
    """(name, bytes) of pictures: 300 x 200, its left half red and its right
    half blue; the same cut short; a .jpg that holds text; a 24000 x 24000
    PNG."""
    halves = png_file(300, 200, lambda x, y: (255, 0, 0, 255) if x < 150 else (0, 0, 255, 255))
    return [('halves.png', halves), ('truncated.png', halves[:len(halves) // 2]),
            ('not-a-picture.jpg', b'pas une image\r\n' * 8), ('huge.png', huge_png(24000))]


def modern_icon():
    images = [(size, modern_dib(size)) for size in (16, 24, 32, 48, 64)] + [(256, png_image(256))]
    return ico_file(images, colours=0, bits=32)


def ico_file(images, colours=16, bits=4):
    """An .ico file of the given (size, image bytes) pairs."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


def malformed_icons():
    """(name, bytes) of .ico files that lie about what they hold."""
    image = icon_image(32, icon_colour(0))
    good = ico_file([(32, image)])
    many = struct.pack('<HHH', 0, 1, 65535) + good[6:]
    past = good[:6] + struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(image), 1 << 20) + image
    empty = good[:6] + struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, 0, 22)
    return [('claims-many.ico', many), ('past-end.ico', past), ('truncated.ico', good[:10]),
            ('empty-image.ico', empty)]


def res_entry(type_id, name, flags, data, language=LANGUAGE_NEUTRAL):
    """One resource of a .res file, padded to a 4-byte boundary; its name a
    number or a string."""
    header = struct.pack('<HH', 0xFFFF, type_id)
    if isinstance(name, str):
        header += (name + '\0').encode('utf-16-le')
        header += b'\0' * (-len(header) % 4)
    else:
        header += struct.pack('<HH', 0xFFFF, name)
    header += struct.pack('<IHHII', 0, flags, language, 0, 0)
    entry = struct.pack('<II', len(data), 8 + len(header)) + header + data
    return entry + b'\0' * (-len(entry) % 4)


def res_file(groups):
    """A .res file of icon groups 1, 2, ...; each group a list of image sizes,
    or None for a group that names one 32 x 32 image the file does not hold."""
    out = res_entry(0, 0, 0, b'')  # the empty entry that marks a 32-bit .res file
    image_id = 1
    group_id = 1
    for index, sizes in enumerate(groups):
        directory = struct.pack('<HHH', 0, 1, len(sizes or [32]))
        for size in sizes or [32]:
            data = icon_image(size, icon_colour(index))
            named = image_id if sizes else MISSING_IMAGE_ID
            if sizes:
                out += res_entry(RT_ICON, image_id, PURE_DISCARDABLE, data)
                image_id += 1
            directory += struct.pack('<BBBBHHIH', size, size, 16, 0, 1, 4, len(data), named)
        out += res_entry(RT_GROUP_ICON, group_id, MOVEABLE_PURE_DISCARDABLE, directory)
        group_id += 1
    return out


def languages_res():
    """Two icon groups of one 32 x 32 image: "ICONE", named, and 1, in two
    languages."""
    out = res_entry(0, 0, 0, b'')
    for image_id, (name, language) in enumerate((('ICONE', LANGUAGE_NEUTRAL), (1, LANGUAGE_NEUTRAL),
                                                 (1, LANGUAGE_FRENCH)), start=1):
        data = icon_image(32, icon_colour(image_id - 1))
        out += res_entry(RT_ICON, image_id, PURE_DISCARDABLE, data)
        directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHIH', 32, 32, 16, 0, 1, 4, len(data), image_id)
        out += res_entry(RT_GROUP_ICON, name, MOVEABLE_PURE_DISCARDABLE, directory, language)
    return out


def ne_library(sizes):
    """An NE icon library of icon groups 1, 2, ... of one image each: a DOS
    header, the NE header, its resource table (groups, then images, resources
    aligned to 16 bytes), its empty name and entry tables, then the data."""
    shift, count = 4, len(sizes)
    images = [icon_image(size, icon_colour(i)) for i, size in enumerate(sizes)]
    groups = [struct.pack('<HHHBBBBHHIH', 0, 1, 1, size, size, 16, 0, 1, 4, len(image), i + 1)
              for i, (size, image) in enumerate(zip(sizes, images))]
    table_size = 2 + 2 * (8 + 12 * count) + 2
    names = b'\x04ICON\0\0\0'  # the module's name, the end of the names, no entries
    data_at = (0x80 + table_size + len(names) + 15) & ~15
    table, data = struct.pack('<H', shift), b''
    for type_id, flags, resources in ((0x800E, MOVEABLE_PURE_DISCARDABLE, groups),
                                      (0x8003, PURE_DISCARDABLE, images)):
        table += struct.pack('<HHI', type_id, count, 0)
        for i, resource in enumerate(resources):
            padded = resource.ljust((len(resource) + 15) & ~15, b'\0')
            table += struct.pack('<HHHHHH', (data_at + len(data)) >> shift, len(padded) >> shift,
                                 flags, 0x8000 | (i + 1), 0, 0)
            data += padded
    names_at = 0x40 + table_size
    header = struct.pack('<2sBBHHIHHHHIIHHHHHHHHIHHHBBHHHH', b'NE', 5, 10, names_at + 7, 1, 0, 0x8000,
                         0, 0, 0, 0, 0, 0, 0, 0, 0x40, 0x40, names_at, names_at + 7, names_at + 7,
                         0x40 + names_at + 8, 0, shift, count * 2, 2, 0, 0, 0, 0, 0x300)
    dos = b'MZ'.ljust(0x3C, b'\0') + struct.pack('<I', 0x40)
    return (dos + header + table + struct.pack('<H', 0) + names).ljust(data_at, b'\0') + data


def write(folder, name, data):
    path = os.path.join(folder, name)
    with open(path + '.tmp', 'wb') as file:
        file.write(data)
    os.replace(path + '.tmp', path)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write(folder, 'one.ico', ico_file([(32, icon_image(32, icon_colour(0)))]))
    write(folder, 'three-images.ico',
          ico_file([(size, icon_image(size, icon_colour(0))) for size in (16, 32, 48)]))
    for name, data in malformed_icons():
        write(folder, name, data)
    write(folder, 'modern.ico', modern_icon())
    for name, data in pictures():
        write(folder, name, data)
    write(folder, 'monochrome.ico', ico_file([(32, monochrome_image(32))], colours=2, bits=1))
    write(folder, 'three-icons.res', res_file([[32, 16]] * 3))
    write(folder, 'eight-icons.res', res_file([[32]] * 8))
    write(folder, '1024-icons.res', res_file([[32]] * 1024))
    write(folder, '1500-icons.res', res_file([[32]] * 1500))
    write(folder, 'gap-icons.res', res_file([[32], [32], None, [32], [32]]))
    write(folder, 'four-icons.res', res_file([[16]] * 4))
    write(folder, 'languages.res', languages_res())
    write(folder, 'four-icons.icl', ne_library([16] * 4))


if __name__ == '__main__':
    main()
