// What follows the program's name on its command line, taken from UTF-16.
#include "framework/CommandLine.h"
#include <gtest/gtest.h>

TEST(CommandLineTail, IsWhatFollowsTheProgramsNameExactlyAsGiven)
{
    const struct {
        const wchar_t* commandLine;
        const wchar_t* tail;
    } cases[] = {
        { L"\"C:\\Program Files\\b.exe\" C:\\Photos d'\xe9t\xe9", L"C:\\Photos d'\xe9t\xe9" },
        { L"b.exe \t \"C:\\Photos\"", L"\"C:\\Photos\"" },
        { L"b.exe", L"" },
        { L"\"b.exe\"", L"" },
        { L"b.exe C:\\\x03a9mega", L"C:\\\x03a9mega" },
        { L"b.exe C:\\x\xff3cy", L"C:\\x\xff3cy" },
        { L"b.exe C:\\\x0141\xf3" L"d\x017a", L"C:\\\x0141\xf3" L"d\x017a" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandLineTail(c.commandLine), c.tail);
}
