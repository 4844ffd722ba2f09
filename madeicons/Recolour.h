// A folder icon in another colour: the parts painted in the folder's own
// colour take the chosen one, in the light and shade they had; the parts
// without colour (paper, outlines, shadows) and the alpha stay as they are.
#pragma once
#include <windows.h>
#include <vector>

struct Hsl {
    double hue;          // in degrees, from 0 to 360
    double saturation;   // from 0 to 1
    double lightness;    // from 0 to 1
};

Hsl HslOf(BYTE red, BYTE green, BYTE blue);

// Below the first saturation a pixel is taken to have no colour and stays as
// it is; from the second on it is wholly the folder's colour. Between the two
// (the soft edges between colour and outline) it takes the new colour in
// part, so no fringe of the old one stays.
constexpr double UNCOLOURED_BELOW = 0.10;
constexpr double COLOURED_FROM = 0.25;

// Each coloured pixel of the image (ImagePixels.h) takes the hue and the
// saturation of `colour`, and a lightness that is to the colour's as its
// own was to the mean lightness of the image's coloured pixels. Grey, black
// and white have no hue: those pixels become grey of that lightness.
void Recolour(std::vector<BYTE>& pixels, COLORREF colour);
