#include "framework/WinApp.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(ResourceString, LoadsIntoAFixedBufferWithItsTerminatingZero)
{
    char text[STRING_BUFFER_SIZE];
    std::memset(text, 'x', sizeof text);
    const int length = AfxLoadString(IDS_CLOSE, text);
    EXPECT_EQ(length, 6);
    EXPECT_STREQ(text, "Fermer");
}

TEST(ResourceString, MissingStringLoadsNothing)
{
    char text[STRING_BUFFER_SIZE] = "";
    EXPECT_EQ(AfxLoadString(40100, text), 0);
    EXPECT_LT(strnlen(text, sizeof text), sizeof text);
}
