// A negative icon index names an icon group by its resource id; the grid
// works with positions.
#include "icons/IconResourceId.h"
#include "resource.h"
#include "IconFiles.h"
#include "harness/Windows.h"
#include <gtest/gtest.h>
#include <climits>

TEST(IconPosition, ResourceIdBecomesThePositionOfThatIconAndAPositionStays)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    const std::string shell = std::string(system) + "\\shell32.dll";
    for (const char* file : { shell.c_str(), "SHELL32.dll" }) {
        for (const int id : { 3, 4, 9, 16 }) {
            SCOPED_TRACE(std::string(file) + ", -" + std::to_string(id));
            const int position = IconPosition(Wide(file).c_str(), -id);
            ASSERT_GE(position, 0);
            EXPECT_TRUE(SameIcon(file, position, -id));
        }
    }
    EXPECT_EQ(IconPosition(Wide(shell).c_str(), 3), 3);
    EXPECT_EQ(IconPosition(Wide(shell).c_str(), -MAX_RESOURCE_ID), -1) << "no group has that id";
    EXPECT_EQ(IconPosition(Wide(shell).c_str(), INT_MIN), -1);
    EXPECT_EQ(IconPosition(Wide(IconFile("one.ico")).c_str(), -1), -1) << "an icon file has no resource ids";
    EXPECT_EQ(IconPosition(L"C:\\absent.dll", -4), -1);
}
