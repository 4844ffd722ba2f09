// A folder or drive icon the program draws itself: the system's own icon of
// the target's kind, in a colour of the user's, an emblem in its lower-right
// corner, or both. Each target gets an icon file of it inside, as it gets one
// made of a picture.
#pragma once
#include "target/Target.h"
#include <optional>
#include <string>
#include <vector>

struct Design {
    // None keeps the system's colour.
    std::optional<COLORREF> colour;
    // A file that holds icons and the position of the emblem in it, or a
    // picture, at position 0; no file is no emblem.
    std::wstring emblemFile;
    int emblemIndex = 0;

    bool HasEmblem() const { return !emblemFile.empty(); }
    bool IsEmpty() const { return !colour && !HasEmblem(); }
    bool operator==(const Design& other) const
    {
        return colour == other.colour && emblemFile == other.emblemFile && emblemIndex == other.emblemIndex;
    }
};

// The side of the emblem on an icon of `size`: about half of it, and at 16
// pixels the lower-right nine by nine.
constexpr int EmblemSide(int size)
{
    return size / 2 + 1;
}

// The design drawn at `size` for a target of `kind`, as ImagePixels.h holds
// images; false when the system's icon or the emblem yields no image.
bool DesignPixels(const Design& design, TargetKind kind, int size, std::vector<BYTE>& pixels);

// The same as an icon, for the grid and the previews; null when it cannot be
// drawn.
HICON DesignIcon(const Design& design, TargetKind kind, int size);

// The bytes of the icon file made of the design, at every size of a made
// icon file.
bool IconFileOfDesign(const Design& design, TargetKind kind, std::vector<BYTE>& bytes);

// The name of that file: "couleur-E53935.ico", "embleme-etoile.ico",
// "couleur-E53935 embleme-etoile.ico"; an emblem after the first icon of
// its file adds its position ("embleme-shell32-43").
std::wstring DesignFileName(const Design& design);
