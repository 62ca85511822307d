// Built twice: into a test program beside SetupRes.dll, and into one in a folder
// without it (GLIMRA_WITHOUT_SETUPRES), where every text must be its fallback.
#include <gtest/gtest.h>

#include "setup/app/setup_state.h"
#include "setup/app/setup_texts.h"
#include "setup/app/text_catalogue.h"
#include "setup/app/uninstall_key.h"
#include "testing/support/win_process.h"

#include <windows.h>

#include <string>

using namespace glimra::setup;

namespace {

const SetupText kEveryText[] = {
    kTextPublisher,           kTextPublisherWebAddress, kTextDisplayNameSuffix,
    kTextNotEnoughDiskSpace,  kTextDiskSpaceFailed,     kTextRegistryError,
    kTextMissingPackageFile,  kTextUninstallShortcut,   kTextNoAdministratorRights,
    kTextProductRunning,      kText64BitInstalled,      kTextMsiInstallFailed,
    kTextUninstallFailed,     kTextUninstallQuestion,   kTextProductKeyName,
    kTextRegisterFailed,      kTextWebsiteShortcut,     kTextAnotherInstance,
    kTextMutexName,           kText32BitInstalled,      kTextNeeds64BitWindows,
    kTextFolderNotEmpty,      kTextPathInputError,      kTextInvalidPathCharacters,
    kTextDriveRootChosen,     kTextSelectFolderTitle,   kTextInstallFailed,
    kTextNetFrameworkMissing, kTextOverallProgress,     kTextProgressFont,
    kTextTitleFont,           kTextProductName,         kTextPackageProductName,
    kTextWebPageTitle,
};

std::wstring Fallback(const SetupText& text)
{
    return text.fallback ? text.fallback : L"";
}

bool LibraryBesideProgram()
{
    return GetFileAttributesW((glimra::testing::ProgramFolder() + L"\\SetupRes.dll").c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}

} // namespace

#ifndef GLIMRA_WITHOUT_SETUPRES

TEST(SetupResources, HoldTheEnglishTextOfEveryNumber)
{
    ASSERT_TRUE(LibraryBesideProgram());
    SetupState state;
    for (const auto& text : kEveryText) {
        std::wstring loaded = LoadResourceText(state, text.id, L"<missing>");
        if (text.id == 1999) {
            // No edition suffix in English: the display name stays the product name.
            EXPECT_EQ(loaded, L"<missing>");
        } else if (text.id == 2037) {
            EXPECT_EQ(loaded, kTextTitleFont.fallback);
        } else if (text.id == 2038) {
            EXPECT_EQ(loaded, kTextProductName.fallback);
        } else {
            EXPECT_EQ(loaded, Fallback(text)) << "text " << text.id;
        }
    }
    EXPECT_EQ(LoadResourceText(state, 2003).substr(5, 1), L"\uFF1A");
    EXPECT_EQ(LoadResourceText(state, 1, L"none"), L"none");
    EXPECT_EQ(LoadResourceText(state, 2000), L"");
}

TEST(SetupTexts, LoadTheLibraryOnceByItsBareName)
{
    SetupState state;
    EXPECT_EQ(LoadResourceText(state, 2038, L"fallback"), L"DWGGlimra");
    HMODULE loaded = static_cast<HMODULE>(state.textModule);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded, GetModuleHandleW(L"SetupRes.dll"));
    LoadResourceText(state, 2015);
    EXPECT_EQ(state.textModule, loaded);
}

#else

TEST(SetupTextsWithoutLibrary, GiveEveryFallback)
{
    ASSERT_FALSE(LibraryBesideProgram()) << "this program must run without SetupRes.dll";
    SetupState state;
    for (const auto& text : kEveryText)
        EXPECT_EQ(LoadResourceText(state, text), Fallback(text)) << "text " << text.id;
    EXPECT_EQ(state.textModule, nullptr);
    EXPECT_EQ(LoadResourceText(state, 2009), L"") << "no fallback given";
}

TEST(SetupTextsWithoutLibrary, NameTheUninstallKeyByTheFallback)
{
    SetupState state;
    state.languageKey = L"zh_cn";
    EXPECT_EQ(UninstallKeyName(state),
              L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DWGGlimra_zh_cn");
}

#endif
