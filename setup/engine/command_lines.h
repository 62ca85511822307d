#pragma once
// Command lines of the programs the install engine starts, and the names and
// properties of the packages it installs. Pure text building: no Windows headers.

#include <cstddef>
#include <string>

namespace glimra::setup {

// Writable command-line buffers, in UTF-16 units including the terminating zero: the
// runners' buffer (259 characters) and the registry writer's (2047 characters).
constexpr size_t kRunnerCommandUnits = 260;
constexpr size_t kRegWriterCommandUnits = 2048;

// True when `command_line` and its terminating zero fit a buffer of `units`. A command
// line that does not fit is refused, never cut: a cut line could name another program
// or lose the switches that keep it quiet.
bool FitsCommandBuffer(const std::wstring& command_line, size_t units);

// quote, path, quote, " -passive -norestart"
std::wstring PassiveCommandLine(const std::wstring& path);
// quote, path, quote, " -q -norestart -repair"
std::wstring RepairCommandLine(const std::wstring& path);
// "regsvr32 ", quote, path, quote, " -s"
std::wstring RegisterServerCommandLine(const std::wstring& path);
// quote, path, quote, then `arguments` exactly as given (they bring their own space).
std::wstring ProgramCommandLine(const std::wstring& path, const std::wstring& arguments);
// "msiexec  -x {product code} -q": removal of the product package.
std::wstring ProductRemovalCommandLine();

// Arguments of the product program's COM registration and unregistration.
extern const wchar_t kRegisterProgramArguments[];   // " -Regserver -nologo"
extern const wchar_t kUnregisterProgramArguments[]; // " -UnRegserver -nologo"
// Parameters of the uninstaller program: a real uninstall, and the clean-up after a
// failed installation.
extern const wchar_t kUninstallerParameters[];      // "/norestart"
extern const wchar_t kUninstallerQuietParameters[]; // "/quiet /norestart"

// What the registry writer is told about the product.
struct RegWriterValues {
    std::wstring languageKey;    // "_" becomes "-"
    std::wstring installDir;     // without trailing backslashes
    std::wstring productKeyName; // text 2015
    std::wstring version;
    int wow64Package = 0; // not 0: PLATFROM=x64
    int numParameter = 1;
    int classicWorkspace = 0; // not 0: WorkspaceName=0
    std::wstring viewerName;  // text 2038 with the package fallback
};
// quote, path, quote, then the product properties in their fixed order, unquoted.
std::wstring RegWriterCommandLine(const std::wstring& path, const RegWriterValues& values);

// "QxTable_" + "CHS_" (languageKey exactly "zh_cn") or "ENG_" + "x64.msi" (officeBits 1)
// or "x86.msi".
std::wstring TablePackageName(const std::wstring& language_key, int office_bits);
// "OFFICEBITVER=<officeBits> NETVER=<netVersion>"
std::wstring TableProperties(int office_bits, const std::wstring& net_version);

// Every trailing backslash removed.
std::wstring WithoutTrailingBackslashes(const std::wstring& text);
// Every occurrence of `from` (one character) replaced by `to`.
std::wstring ReplaceCharacter(const std::wstring& text, wchar_t from, wchar_t to);

} // namespace glimra::setup
