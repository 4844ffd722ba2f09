#include "framework/WinApp.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <cwchar>

TEST(ResourceString, LoadsIntoAFixedBufferWithItsTerminatingZero)
{
    wchar_t text[STRING_BUFFER_SIZE];
    std::wmemset(text, L'x', STRING_BUFFER_SIZE);
    const int length = AfxLoadString(IDS_CLOSE, text);
    EXPECT_EQ(length, 6);
    EXPECT_STREQ(text, L"Fermer");
}

TEST(ResourceString, MissingStringLoadsNothing)
{
    // An id far from every range the string table uses.
    wchar_t text[STRING_BUFFER_SIZE] = L"";
    EXPECT_EQ(AfxLoadString(40999, text), 0);
    EXPECT_LT(wcsnlen(text, STRING_BUFFER_SIZE), static_cast<size_t>(STRING_BUFFER_SIZE));
}
