#include "madeicons/Design.h"
#include "madeicons/Colours.h"
#include "madeicons/IconFileBytes.h"
#include "madeicons/IconSizes.h"
#include "madeicons/ImagePixels.h"
#include "madeicons/Recolour.h"
#include "target/DefaultIcons.h"

namespace {

// The emblem over the image's lower-right corner, each with its alpha.
void DrawEmblem(std::vector<BYTE>& pixels, int size, const std::vector<BYTE>& emblem, int side)
{
    const int origin = size - side;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const BYTE* over = &emblem[(static_cast<size_t>(y) * side + x) * 4];
            BYTE* under = &pixels[(static_cast<size_t>(origin + y) * size + origin + x) * 4];
            const double top = over[3] / 255.0;
            const double bottom = under[3] / 255.0 * (1 - top);
            const double alpha = top + bottom;
            if (alpha <= 0)
                continue;
            for (int channel = 0; channel < 3; ++channel)
                under[channel] = static_cast<BYTE>((over[channel] * top + under[channel] * bottom) / alpha + 0.5);
            under[3] = static_cast<BYTE>(alpha * 255 + 0.5);
        }
    }
}

} // namespace

bool DesignPixels(const Design& design, TargetKind kind, int size, std::vector<BYTE>& pixels)
{
    IconLocation base = {};
    if (!ReadDefaultIcon(kind, base) || !IconPixels(base.file, base.index, size, pixels))
        return false;
    if (design.colour)
        Recolour(pixels, *design.colour);
    if (!design.HasEmblem())
        return true;
    const int side = EmblemSide(size);
    std::vector<BYTE> emblem;
    if (!IconPixels(design.emblemFile.c_str(), design.emblemIndex, side, emblem))
        return false;
    DrawEmblem(pixels, size, emblem, side);
    return true;
}

HICON DesignIcon(const Design& design, TargetKind kind, int size)
{
    std::vector<BYTE> pixels;
    return DesignPixels(design, kind, size, pixels) ? IconOfPixels(pixels, size) : nullptr;
}

bool IconFileOfDesign(const Design& design, TargetKind kind, std::vector<BYTE>& bytes)
{
    std::vector<std::vector<BYTE>> images;
    for (const int size : MADE_ICON_SIZES) {
        std::vector<BYTE> pixels;
        if (!DesignPixels(design, kind, size, pixels))
            return false;
        images.push_back(pixels);
    }
    return IconFileOfImages(images, bytes);
}

std::wstring DesignFileName(const Design& design)
{
    std::wstring name;
    if (design.colour)
        name = L"couleur-" + ColourDigits(*design.colour);
    if (design.HasEmblem()) {
        const size_t slash = design.emblemFile.find_last_of(L"\\/");
        std::wstring stem = design.emblemFile.substr(slash == std::wstring::npos ? 0 : slash + 1);
        const size_t dot = stem.rfind(L'.');
        if (dot != std::wstring::npos)
            stem.resize(dot);
        name += (name.empty() ? L"" : L" ") + std::wstring(L"embleme-") + stem;
        if (design.emblemIndex != 0)
            name += L"-" + std::to_wstring(design.emblemIndex);
    }
    return name + L".ico";
}
