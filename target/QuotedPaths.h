// A command line that names several paths, each in double quotes.
#pragma once
#include <string>
#include <vector>

// The paths of a text made of paths each in double quotes, with blanks
// between and around them: `"C:\a" "C:\b"`. None for any other text: an
// empty pair of quotes, a quote left open, or anything outside the quotes.
std::vector<std::wstring> QuotedPaths(const wchar_t* text);
