#include <gtest/gtest.h>

#include "setup/app/command_line.h"

#include <ostream>
#include <string>

using glimra::setup::ChooseRunMode;
using glimra::setup::CommandLineArgs;
using glimra::setup::ParseCommandLine;
using glimra::setup::QuietTargetFolder;
using glimra::setup::RunMode;

namespace {

CommandLineArgs Parse(const std::wstring& text)
{
    CommandLineArgs args;
    ParseCommandLine(text, args);
    return args;
}

// The command line of a case, for test names and messages.
std::string Narrow(const wchar_t* text)
{
    std::string narrow;
    for (const wchar_t* c = text; *c; ++c)
        narrow += *c < 0x80 ? static_cast<char>(*c) : '?';
    return narrow;
}

struct ParseCase {
    const wchar_t* line;
    CommandLineArgs expected;
};
void PrintTo(const ParseCase& c, std::ostream* out)
{
    *out << "[" << Narrow(c.line) << "]";
}

class CommandLineParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParsing, GivesTheseArguments)
{
    EXPECT_EQ(Parse(GetParam().line), GetParam().expected) << "line: " << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParsing,
    ::testing::Values(
        // A quoted program path is dropped; an unquoted one is a token without "=".
        ParseCase{LR"("C:\Setup Files\Setup.exe" quiet=1)", {{L"quiet", L"1"}}},
        ParseCase{LR"(C:\Setup\Setup.exe quiet=1 norestart=1)",
                  {{L"quiet", L"1"}, {L"norestart", L"1"}}},
        // An unquoted program path: everything up to the first value's closing quote goes.
        ParseCase{LR"(C:\Setup\Setup.exe quiet=1 TARGETDIR="C:\My Apps\" /uninstall=1)",
                  {{L"/uninstall", L"1"}}},
        // Quoted groups keep their spaces and their quotes.
        ParseCase{LR"("Setup.exe" TARGETDIR="C:\My Apps\" /q=1)",
                  {{L"TARGETDIR", LR"("C:\My Apps\")"}, {L"/q", L"1"}}},
        // The last equals sign divides key and value.
        ParseCase{L"a=b=c", {{L"a=b", L"c"}}},
        // Empty keys, empty values and bare words are ignored.
        ParseCase{L"=1 quiet= /q", {}},
        // A later value replaces an earlier one.
        ParseCase{L"quiet=1 quiet=0", {{L"quiet", L"0"}}},
        // Runs of spaces and white space around the line give no empty tokens.
        ParseCase{L"  \t dir=D:\\x     NUM=3 \t ", {{L"dir", L"D:\\x"}, {L"NUM", L"3"}}},
        // A quote without a partner is an ordinary character.
        ParseCase{L"x=\"y", {{L"x", L"\"y"}}},
        // Keys are case-sensitive.
        ParseCase{L"/Uninstall=0 /uninstall=1", {{L"/Uninstall", L"0"}, {L"/uninstall", L"1"}}},
        ParseCase{L"", {}}));

TEST(CommandLineParsing, ReplacesWhatWasThereBefore)
{
    CommandLineArgs args{{L"old", L"1"}};
    ParseCommandLine(L"new=2", args);
    EXPECT_EQ(args, (CommandLineArgs{{L"new", L"2"}}));
}

struct ModeCase {
    const wchar_t* line;
    bool installed;
    RunMode expected;
};

void PrintTo(const ModeCase& c, std::ostream* out)
{
    *out << "[" << Narrow(c.line) << "]" << (c.installed ? " installed" : "");
}

class RunModeChoice : public ::testing::TestWithParam<ModeCase> {};

TEST_P(RunModeChoice, ReachesThisMode)
{
    EXPECT_EQ(ChooseRunMode(Parse(GetParam().line), GetParam().installed), GetParam().expected)
        << "line: " << GetParam().line << ", installed " << GetParam().installed;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunModeChoice,
    ::testing::Values(
        ModeCase{L"", false, RunMode::Wizard}, ModeCase{L"", true, RunMode::Maintenance},
        // Only key=value with the exact value "1" switches quiet mode on.
        ModeCase{L"/q", false, RunMode::Wizard}, ModeCase{L"/q=1", false, RunMode::QuietInstall},
        ModeCase{L"quiet=true", false, RunMode::Wizard},
        ModeCase{L"silent=1", true, RunMode::QuietInstall},
        ModeCase{L"/s=1", false, RunMode::QuietInstall},
        ModeCase{L"Quiet=1", false, RunMode::Wizard},
        // Any of the four keys with "1" counts, whichever comes first.
        ModeCase{L"quiet=0 /s=1", false, RunMode::QuietInstall},
        ModeCase{L"quiet=1 quiet=0", false, RunMode::Wizard},
        // Uninstall needs quiet mode, then "/Uninstall" or else "/uninstall" with "1".
        ModeCase{L"quiet=1 /uninstall=1", true, RunMode::QuietUninstall},
        ModeCase{L"/uninstall=1", true, RunMode::Maintenance},
        ModeCase{L"/uninstall=1", false, RunMode::Wizard},
        ModeCase{L"/s=1 /Uninstall=0 /uninstall=1", true, RunMode::QuietUninstall},
        ModeCase{L"/s=1 /Uninstall=1 /uninstall=0", true, RunMode::QuietUninstall},
        ModeCase{L"/s=1 /UNINSTALL=1", true, RunMode::QuietInstall},
        ModeCase{L"C:\\Setup.exe quiet=1 TARGETDIR=\"C:\\My Apps\\\" /uninstall=1", true,
                 RunMode::Maintenance}));

struct FolderCase {
    const wchar_t* line;
    bool found;
    const wchar_t* folder;
};

void PrintTo(const FolderCase& c, std::ostream* out)
{
    *out << "[" << Narrow(c.line) << "]";
}

class QuietFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(QuietFolder, IsTakenFromTheFirstKeyPresent)
{
    std::wstring folder = L"kept";
    EXPECT_EQ(QuietTargetFolder(Parse(GetParam().line), folder), GetParam().found);
    EXPECT_EQ(folder, GetParam().folder) << "line: " << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuietFolder,
    ::testing::Values(
        FolderCase{LR"("C:\x\Setup.exe" quiet=1 TARGETDIR="C:\My Apps\" /uninstall=1)", true,
                   L"C:\\My Apps"},
        FolderCase{L"dir=D:\\b TARGETDIR=D:\\a", true, L"D:\\a"},
        FolderCase{L"TARGETDIR=D:\\a dir=D:\\b", true, L"D:\\a"},
        FolderCase{L"/d=E:\\c dir=D:\\b", true, L"D:\\b"},
        FolderCase{L"/d=E:\\c\\\\\\", true, L"E:\\c"}, FolderCase{L"quiet=1", false, L"kept"},
        // A value of quotes and backslashes only leaves nothing.
        FolderCase{L"\"Setup.exe\" dir=\"\\\"", true, L""}));

} // namespace
