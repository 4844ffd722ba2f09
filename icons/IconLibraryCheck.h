// What the platform's icon reader would walk in an icon file, checked over
// the file's bytes alone. The reader trusts every count and offset that an
// icon file, an executable or a 16-bit library gives of itself, and reads
// wherever they point: it is given only files where all it walks lies inside
// the file, and the count of icons is taken from the same walk.
#pragma once
#include <cstddef>

struct IconFileCheck {
    // Whether the reader stays inside the file, whatever icon it is asked for.
    bool sound;
    // Whether `icons` is what the reader counts: false for a file of a kind
    // that the reader judges alone.
    bool counted;
    // The icons the reader lists: one for an icon file, one for each icon
    // group of a library.
    int icons;
};

// `size` bytes of a whole file, from `bytes`.
IconFileCheck CheckIconFile(const unsigned char* bytes, size_t size);
