#include "madeicons/Recolour.h"
#include <algorithm>
#include <cmath>

namespace {

double Channel(double p, double q, double t)
{
    if (t < 0)
        t += 1;
    if (t > 1)
        t -= 1;
    if (t < 1.0 / 6)
        return p + (q - p) * 6 * t;
    if (t < 0.5)
        return q;
    if (t < 2.0 / 3)
        return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

void RgbOf(const Hsl& colour, double (&rgb)[3])
{
    if (colour.saturation <= 0) {
        rgb[0] = rgb[1] = rgb[2] = colour.lightness;
        return;
    }
    const double l = colour.lightness;
    const double q = l < 0.5 ? l * (1 + colour.saturation) : l + colour.saturation - l * colour.saturation;
    const double p = 2 * l - q;
    const double h = colour.hue / 360;
    rgb[0] = Channel(p, q, h + 1.0 / 3);
    rgb[1] = Channel(p, q, h);
    rgb[2] = Channel(p, q, h - 1.0 / 3);
}

// How much of the folder's colour a pixel of this saturation holds.
double Colouredness(double saturation)
{
    return std::clamp((saturation - UNCOLOURED_BELOW) / (COLOURED_FROM - UNCOLOURED_BELOW), 0.0, 1.0);
}

BYTE Byte(double value)
{
    return static_cast<BYTE>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

} // namespace

Hsl HslOf(BYTE red, BYTE green, BYTE blue)
{
    const double r = red / 255.0;
    const double g = green / 255.0;
    const double b = blue / 255.0;
    const double high = std::max({ r, g, b });
    const double low = std::min({ r, g, b });
    const double lightness = (high + low) / 2;
    const double range = high - low;
    if (range <= 0)
        return { 0, 0, lightness };
    const double saturation = range / (1 - std::fabs(2 * lightness - 1));
    double hue = 0;
    if (high == r)
        hue = std::fmod((g - b) / range + 6, 6);
    else if (high == g)
        hue = (b - r) / range + 2;
    else
        hue = (r - g) / range + 4;
    return { hue * 60, std::min(saturation, 1.0), lightness };
}

void Recolour(std::vector<BYTE>& pixels, COLORREF colour)
{
    const Hsl chosen = HslOf(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    double weight = 0;
    double lightness = 0;
    for (size_t at = 0; at + 3 < pixels.size(); at += 4) {
        const Hsl own = HslOf(pixels[at + 2], pixels[at + 1], pixels[at]);
        const double share = Colouredness(own.saturation) * pixels[at + 3];
        weight += share;
        lightness += share * own.lightness;
    }
    if (weight <= 0 || lightness <= 0)
        return;
    const double mean = lightness / weight;
    for (size_t at = 0; at + 3 < pixels.size(); at += 4) {
        const Hsl own = HslOf(pixels[at + 2], pixels[at + 1], pixels[at]);
        const double share = Colouredness(own.saturation);
        if (share <= 0)
            continue;
        double rgb[3];
        RgbOf({ chosen.hue, chosen.saturation, std::min(own.lightness * chosen.lightness / mean, 1.0) }, rgb);
        for (int channel = 0; channel < 3; ++channel) {
            BYTE& value = pixels[at + 2 - channel];
            value = Byte(value / 255.0 * (1 - share) + rgb[channel] * share);
        }
    }
}
