#!/usr/bin/env python3
"""Write icon libraries that lie about what they hold, each a good one changed
in one place, to which a reader that trusts them reads past their end.

    break-icon-libraries.py LIBRARY.dll LIBRARY.icl OUTPUT-FOLDER
"""

import os
import struct
import sys

RT_GROUP_ICON = 14
ALL_SET = 0xFFFF


def word(data, at):
    return struct.unpack_from('<H', data, at)[0]


def dword(data, at):
    return struct.unpack_from('<I', data, at)[0]


def pe_places(data):
    """The file offsets of the root resource directory, the icon groups'
    directory and the first group's data."""
    nt = dword(data, 0x3C)
    sections = nt + 24 + word(data, nt + 20)
    rsrc = next(at for at in range(sections, sections + 40 * word(data, nt + 6), 40)
                if data[at:at + 8].rstrip(b'\0') == b'.rsrc')
    root, rva_to_file = dword(data, rsrc + 20), dword(data, rsrc + 20) - dword(data, rsrc + 12)
    entries = [root + 16 + 8 * i for i in range(word(data, root + 12) + word(data, root + 14))]
    groups = root + (dword(data, next(e for e in entries if dword(data, e) == RT_GROUP_ICON) + 4) & 0x7FFFFFFF)
    language = root + (dword(data, groups + 20) & 0x7FFFFFFF)
    entry = root + dword(data, language + 20)
    return root, groups, dword(data, entry) + rva_to_file


def changed(data, at, fmt, value):
    out = bytearray(data)
    struct.pack_into(fmt, out, at, value)
    return bytes(out)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    pe, ne, folder = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read(), sys.argv[3]
    root, groups, group_data = pe_places(pe)
    table = 0x40 + word(ne, 0x40 + 0x24)
    broken = {
        'root-claims-many.dll': changed(pe, root + 14, '<H', ALL_SET),
        'root-entry-past-end.dll': changed(pe, root + 20, '<I', 0xFFFFFFF0),
        'groups-claim-many.dll': changed(pe, groups + 14, '<H', ALL_SET),
        'group-claims-many.dll': changed(pe, group_data + 4, '<H', ALL_SET),
        'table-past-end.icl': changed(ne, 0x40 + 0x24, '<H', 0xFFF0),
        'type-claims-many.icl': changed(ne, table + 4, '<H', ALL_SET),
        'resource-past-end.icl': changed(changed(ne, table + 10, "<H", ALL_SET), table + 12, "<H", ALL_SET),
    }
    os.makedirs(folder, exist_ok=True)
    for name, data in broken.items():
        with open(os.path.join(folder, name), 'wb') as file:
            file.write(data)


if __name__ == '__main__':
    main()
