#!/usr/bin/env python3
"""Write icon libraries that lie about what they hold, each a good one changed
in one place, to which a reader that trusts them reads past their end.

    break-icon-libraries.py LIBRARY.dll LIBRARY.icl LANGUAGES.dll OUTPUT-FOLDER

LANGUAGES.dll holds a named icon group first, then one in two languages.
"""

import os
import struct
import sys

RT_GROUP_ICON = 14
ALL_SET = 0xFFFF


def pe_places(data):
    """The file offsets of the root resource directory, the icon groups'
    directory and the first group's data."""
    def at(offset, fmt='<I'):
        return struct.unpack_from(fmt, data, offset)[0]
    nt = at(0x3C)
    sections = nt + 24 + at(nt + 20, '<H')
    rsrc = next(s for s in range(sections, sections + 40 * at(nt + 6, '<H'), 40) if data[s:s + 6] == b'.rsrc\0')
    root = at(rsrc + 20)
    entries = range(root + 16, root + 16 + 8 * (at(root + 12, '<H') + at(root + 14, '<H')), 8)
    groups = root + (at(next(e for e in entries if at(e) == RT_GROUP_ICON) + 4) & 0x7FFFFFFF)
    entry = root + at(root + (at(groups + 20) & 0x7FFFFFFF) + 20)
    return root, groups, at(entry) + root - at(rsrc + 12)


def language_places(data):
    """The file offsets of the length of the first group's name, and of the
    size in the data entry of the second group's second language."""
    def at(offset, fmt='<I'):
        return struct.unpack_from(fmt, data, offset)[0]
    root, groups, _ = pe_places(data)
    name = root + (at(groups + 16) & 0x7FFFFFFF)
    languages = root + (at(groups + 28) & 0x7FFFFFFF)
    return name, root + at(languages + 28) + 4


def changed(data, *changes):
    out = bytearray(data)
    for offset, value in changes:
        struct.pack_into('<H', out, offset, value)
    return bytes(out)


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    pe, ne, languages = (open(path, 'rb').read() for path in sys.argv[1:4])
    folder = sys.argv[4]
    root, groups, group_data = pe_places(pe)
    name_length, language_size = language_places(languages)
    table = 0x40 + struct.unpack_from('<H', ne, 0x40 + 0x24)[0]
    broken = {
        'root-claims-many.dll': changed(pe, (root + 14, ALL_SET)),
        'root-entry-past-end.dll': changed(pe, (root + 20, 0xFFF0), (root + 22, ALL_SET)),
        'groups-claim-many.dll': changed(pe, (groups + 14, ALL_SET)),
        'group-claims-many.dll': changed(pe, (group_data + 4, ALL_SET)),
        'table-past-end.icl': changed(ne, (0x40 + 0x24, 0xFFF0)),
        'type-claims-many.icl': changed(ne, (table + 4, ALL_SET)),
        'resource-past-end.icl': changed(ne, (table + 10, ALL_SET), (table + 12, ALL_SET)),
        'name-past-end.dll': changed(languages, (name_length, ALL_SET)),
        'language-past-end.dll': changed(languages, (language_size, ALL_SET), (language_size + 2, ALL_SET)),
    }
    os.makedirs(folder, exist_ok=True)
    for name, data in broken.items():
        with open(os.path.join(folder, name), 'wb') as file:
            file.write(data)


if __name__ == '__main__':
    main()
