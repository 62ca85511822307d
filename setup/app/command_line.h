#pragma once
// The installer's command line: key=value tokens read into an ordered map, and the
// decisions taken from it. Pure logic on standard strings.

#include <map>
#include <string>

namespace glimra::setup {

// Keys compared code unit by code unit, so case-sensitive.
using CommandLineArgs = std::map<std::wstring, std::wstring>;

// Replaces the contents of `args` with the key=value pairs of `text`. A quoted
// program path at the start is dropped (everything up to the second double quote);
// quoted groups are not split at spaces; each token is cut at its last equals sign;
// tokens without one, or with an empty key or value, are skipped; a later token
// replaces the value of an earlier one with the same key.
void ParseCommandLine(const std::wstring& text, CommandLineArgs& args);

// Quiet mode: "quiet", "silent", "/q" or "/s" has the exact value "1".
bool IsQuietMode(const CommandLineArgs& args);
// Uninstall instead of install in quiet mode: "/Uninstall" or "/uninstall" is "1".
bool IsUninstallRequested(const CommandLineArgs& args);
// The quiet run's product folder: the value of "TARGETDIR", else "dir", else "/d",
// with double quotes at its start and end and every trailing backslash removed.
// False (and `folder` untouched) when none of the three keys is present.
bool QuietTargetFolder(const CommandLineArgs& args, std::wstring& folder);
// NUM: the decimal number at the start of its value (0 when it starts with no digit;
// a number too large for an int is cut to its largest value). False (and `number`
// untouched) when the key is missing.
bool QuietNumParameter(const CommandLineArgs& args, int& number);
// norestart=1: the product's launcher is not started after a quiet install.
bool IsNoRestart(const CommandLineArgs& args);

enum class RunMode { QuietUninstall, QuietInstall, Maintenance, Wizard };
// The one run mode for these arguments and whether a product is installed.
RunMode ChooseRunMode(const CommandLineArgs& args, bool installed);
// A short name of the mode, for diagnostics.
const wchar_t* RunModeName(RunMode mode);

} // namespace glimra::setup
