#include "target/QuotedPaths.h"
#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* text)
{
    while (IsBlank(*text))
        ++text;
    return text;
}

} // namespace

std::vector<std::string> QuotedPaths(const char* text)
{
    std::vector<std::string> paths;
    for (const char* next = SkipBlanks(text); *next; next = SkipBlanks(next)) {
        const char* end = *next == '"' ? std::strchr(next + 1, '"') : nullptr;
        // Two quoted paths written together would read as one path holding
        // a quote.
        if (!end || end == next + 1 || (end[1] && !IsBlank(end[1])))
            return {};
        paths.emplace_back(next + 1, end);
        next = end + 1;
    }
    return paths;
}
