#include <gtest/gtest.h>

#include "testing/support/registry_override.h"

#include <windows.h>

using glimra::testing::GetRegistryString;
using glimra::testing::RegistryOverride;
using glimra::testing::SetRegistryString;

namespace {

const wchar_t kKey[] = L"SOFTWARE\\GlimraOverrideProbe";

} // namespace

TEST(RegistryOverride, WritesStayInsideTheOverrideAndVanishWithIt)
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT}) {
        {
            RegistryOverride scratch;
            ASSERT_TRUE(scratch.Active());
            ASSERT_TRUE(SetRegistryString(root, kKey, L"Value", L"inside"));
            std::wstring read;
            ASSERT_TRUE(GetRegistryString(root, kKey, L"Value", read));
            EXPECT_EQ(read, L"inside");
        }
        std::wstring read;
        EXPECT_FALSE(GetRegistryString(root, kKey, L"Value", read))
            << "the value leaked out of the override";
    }
}

TEST(RegistryOverride, ThirtyTwoBitViewReadsWhatTheTestWrote)
{
    RegistryOverride scratch;
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kKey, L"Value", L"seen"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | KEY_WOW64_32KEY, &key),
              ERROR_SUCCESS);
    wchar_t buffer[16] = {};
    DWORD size = sizeof(buffer);
    EXPECT_EQ(
        RegQueryValueExW(key, L"Value", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(buffer, L"seen");
    RegCloseKey(key);
}
