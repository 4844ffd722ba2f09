// Pictures (PNG, JPEG, BMP, GIF, TIFF) taken as an icon of their own: read
// through the platform's imaging component, fitted into a square with their
// proportions kept, transparent around them.
#pragma once
#include <windows.h>
#include <vector>

// Whether the file's name is that of a picture; a picture that cannot be
// read is a file without icons, not some other kind of file.
bool IsPictureName(const wchar_t* path);

// Whether the file reads as a picture no larger than MAX_PICTURE_PIXELS; a
// larger one is refused by its header, before its pixels are read.
bool PictureIsReadable(const wchar_t* path);

// The picture fitted into a square of `size` pixels, as an icon; null when
// the file does not read as a picture. The file is decoded once for all the
// sizes asked of it while it stays as it is.
HICON PictureIcon(const wchar_t* path, int size);

// The fitted picture as 32-bit BGRA rows of `size` pixels, top row first,
// alpha not premultiplied; false when the file does not read as a picture.
bool FittedPicture(const wchar_t* path, int size, std::vector<BYTE>& pixels);

// An image of `size` pixels as the PNG that an icon file holds for its
// largest sizes; false when the imaging component cannot write it.
bool PngOfImage(const std::vector<BYTE>& pixels, int size, std::vector<BYTE>& png);
