#include <gtest/gtest.h>

#include "framework/resource_module.h"
#include "test_library.h"

#include <string>

using namespace framework;

TEST(ResourceModule, LoadsTextsFromALibraryOrFallsBack)
{
    ASSERT_NE(TestLibrary(), nullptr);
    EXPECT_EQ(LoadTextOr(TestLibrary(), 100, L"fallback"), L"Hello from the test library");
    EXPECT_EQ(LoadTextOr(TestLibrary(), 999, L"fallback"), L"fallback");
    EXPECT_EQ(LoadTextOr(nullptr, 100, L"fallback"), L"fallback");
}

TEST(ResourceModule, ATextLongerThanItsBufferIsCut)
{
    std::wstring text;
    ASSERT_TRUE(LoadText(TestLibrary(), 101, text, 5));
    EXPECT_EQ(text, L"0123");
    ASSERT_TRUE(LoadText(TestLibrary(), 101, text, 11));
    EXPECT_EQ(text, L"0123456789");
}

TEST(ResourceModule, ScopeSwitchesAndRestoresTheCurrentModule)
{
    HMODULE own = CurrentResourceModule();
    EXPECT_EQ(own, GetModuleHandleW(nullptr));
    {
        ResourceModuleScope scope(TestLibrary());
        EXPECT_EQ(CurrentResourceModule(), TestLibrary());
    }
    EXPECT_EQ(CurrentResourceModule(), own);
}

TEST(ResourceModule, FindsRawResourcesByNumberAndType)
{
    ResourceBytes bytes;
    ASSERT_TRUE(FindRawResource(TestLibrary(), 200, MAKEINTRESOURCEW(10), bytes));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data), bytes.size),
              std::string("raw bytes"));
    EXPECT_FALSE(FindRawResource(TestLibrary(), 201, MAKEINTRESOURCEW(10), bytes));
    EXPECT_FALSE(FindRawResource(nullptr, 200, MAKEINTRESOURCEW(10), bytes));
}
