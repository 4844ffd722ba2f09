// The size a picture file declares of itself, read from its own header
// before any decoder sees it: some platforms' decoders decode the whole
// picture, or every frame of it, as they open it, whatever its size.
#pragma once
#include <windows.h>

// The pixels a decoder opening `path` would hold: width by height, from the
// header of a PNG, JPEG, BMP or TIFF file (its first image), and for a GIF
// every frame's, and never less than its screen. Read from a few bytes of
// the file, or for a GIF from the blocks' lengths, without decoding
// anything. False for a file of any other kind, or a header that does not
// read.
bool DeclaredPixels(const wchar_t* path, ULONGLONG& pixels);
