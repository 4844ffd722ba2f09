// The cover of a folder of a collection: the picture that music players,
// film and photo tools leave in it, looked for among its own files.
#pragma once
#include <optional>
#include <string>

// The first present, by name (letter case aside), of folder, cover, front,
// AlbumArt_{...}_Large, AlbumArtSmall and poster, as .jpg, .jpeg or .png,
// hidden ones included; with `firstPicture`, failing those, the first such
// picture in name order. Subfolders are not looked into.
std::optional<std::wstring> FindCover(const std::wstring& folder, bool firstPicture);

// The name of the icon file made of a cover as it is now: the cover's name
// and a digest of its name, size and last write, so that a cover changed
// since gives a file of another name ("folder-1A2B3C4D.ico"); the shell
// keeps icons by their file's name. Empty when the cover cannot be read.
std::wstring CoverIconName(const std::wstring& cover);
