// The bytes of the icon files the program makes: every size the shell asks
// of a folder's icon, the largest PNG-compressed, the others 32-bit with
// alpha and a mask.
#pragma once
#include "resource.h"
#include <windows.h>
#include <vector>

// The sizes of the images a made icon file holds, smallest first.
constexpr int MADE_ICON_SIZES[] = { 16, 24, 32, 48, 64, LARGEST_ICON_SIZE };
constexpr size_t MADE_ICON_SIZE_COUNT = sizeof MADE_ICON_SIZES / sizeof MADE_ICON_SIZES[0];

// `images` holds one image of each of MADE_ICON_SIZES, in their order, as
// ImagePixels.h describes them; false when the largest cannot be compressed.
bool IconFileOfImages(const std::vector<std::vector<BYTE>>& images, std::vector<BYTE>& bytes);
