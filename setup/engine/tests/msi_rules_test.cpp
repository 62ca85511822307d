#include <gtest/gtest.h>

#include "setup/engine/msi_rules.h"

#include <optional>
#include <string>

using namespace glimra::setup;

TEST(MsiRules, WhichFailuresStaySilent)
{
    struct Case {
        MsiRunner runner;
        const wchar_t* path;
        bool installationFailed;
        bool silent;
    };
    const Case cases[] = {
        {MsiRunner::Plain, L"C:\\D\\Msi\\msxml6.msi", true, true},
        {MsiRunner::Plain, L"C:\\D\\Msi\\MSXML6.MSI", true, true},
        {MsiRunner::Plain, L"C:\\D\\Msi\\msxml6.msi", false, false}, // a missing file is told
        {MsiRunner::Plain, L"C:\\D\\Msi\\msxml6_x64.msi", true, false},
        {MsiRunner::Plain, L"C:\\D\\Msi\\Reviruru_CHS.msi", false, true},
        {MsiRunner::Plain, L"C:\\D\\Msi\\reviruru_eng.msi", true, true},
        {MsiRunner::Plain, L"msxml6.msi", true, false}, // only after the first character
        {MsiRunner::Plain, L"reviruru_chs.msi", false, false},
        {MsiRunner::Plain, L"C:\\D\\Msi\\QxTable_ENG_x86.msi", true, false},
        {MsiRunner::WithCommandLine, L"C:\\D\\Msi\\QxTable_ENG_x86.msi", true, true},
        {MsiRunner::WithCommandLine, L"C:\\D\\Msi\\qxtable_chs_x64.msi", false, true},
        {MsiRunner::WithCommandLine, L"C:\\D\\Msi\\msxml6.msi", true, false},
        {MsiRunner::WithCommandLine, L"QxTable.msi", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MsiFailureIsSilent(c.runner, c.path, c.installationFailed), c.silent)
            << static_cast<int>(c.runner) << " " << c.path << " " << c.installationFailed;
    }
}

TEST(MsiRules, FailureTextOfTheRunnerWithCommandLineLeadsWithThePath)
{
    EXPECT_EQ(MsiFailureText(MsiRunner::Plain, L"C:\\Msi\\X.msi", L"Msi Install Failed!"),
              L"Msi Install Failed!");
    EXPECT_EQ(MsiFailureText(MsiRunner::WithCommandLine, L"C:\\Msi\\X.msi", L"Msi Install Failed!"),
              L"c:\\msi\\x.msiMsi Install Failed!");
}

TEST(MsiRules, EveryMessageKindHasItsActionAndResult)
{
    struct Case {
        uint32_t kind;
        MsiAction action;
        int result;
    };
    const Case cases[] = {
        {0x00, MsiAction::FatalBox, 0},   {0x01, MsiAction::ErrorBox, 0},
        {0x02, MsiAction::WarningBox, 0}, {0x03, MsiAction::Nothing, 1},
        {0x04, MsiAction::Nothing, 1},    {0x05, MsiAction::Nothing, 0},
        {0x06, MsiAction::Nothing, 0},    {0x07, MsiAction::Nothing, 1},
        {0x08, MsiAction::Nothing, 1},    {0x09, MsiAction::Nothing, 1},
        {0x0A, MsiAction::Nothing, 1},    {0x0B, MsiAction::CommonData, 1},
        {0x0C, MsiAction::Nothing, 1},    {0x0D, MsiAction::Nothing, 1},
        {0x0E, MsiAction::Nothing, 1},    {0x0F, MsiAction::Nothing, 0},
        {0xFF, MsiAction::Nothing, 0},
    };
    for (const auto& c : cases) {
        MsiKindRule rule = RuleForMsiKind(c.kind);
        EXPECT_EQ(rule.action, c.action) << c.kind;
        if (rule.action == MsiAction::Nothing || rule.action == MsiAction::CommonData) {
            EXPECT_EQ(rule.result, c.result) << c.kind;
        }
    }
    EXPECT_EQ(MsiKindOf(0x01000034u), 0x01u);
    EXPECT_EQ(MsiStyleOf(0x01000034u), 0x34u);
}

TEST(MsiRules, CommonDataSetsTheLanguageOnlyForDataTypeZero)
{
    EXPECT_EQ(ErrorLanguageFromCommonData(L"1: 0 2: 1041 3: 932 "), std::optional<uint32_t>(1041));
    EXPECT_EQ(ErrorLanguageFromCommonData(L"1: 0 2: 1033"), std::optional<uint32_t>(1033));
    EXPECT_EQ(ErrorLanguageFromCommonData(L"1: 1 2: 1041 "), std::nullopt);
    EXPECT_EQ(ErrorLanguageFromCommonData(L"1: 2 2: 0 "), std::nullopt);
    EXPECT_EQ(ErrorLanguageFromCommonData(L"1: 0 "), std::nullopt);
    EXPECT_EQ(ErrorLanguageFromCommonData(L"1: 0 2: abc "), std::nullopt);
    EXPECT_EQ(ErrorLanguageFromCommonData(L"1: 01 2: 7 "), std::nullopt);
    EXPECT_EQ(ErrorLanguageFromCommonData(L""), std::nullopt);
    EXPECT_EQ(ErrorLanguageFromCommonData(L"1: "), std::nullopt);
}
