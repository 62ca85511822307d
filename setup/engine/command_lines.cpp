#include "setup/engine/command_lines.h"

namespace glimra::setup {

namespace {
const wchar_t kProductCode[] = L"{5B2C7E10-8D34-4A6F-9E21-3C7D4B0A6F58}";

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}
} // namespace

const wchar_t kRegisterProgramArguments[] = L" -Regserver -nologo";
const wchar_t kUnregisterProgramArguments[] = L" -UnRegserver -nologo";
const wchar_t kUninstallerParameters[] = L"/norestart";
const wchar_t kUninstallerQuietParameters[] = L"/quiet /norestart";

bool FitsCommandBuffer(const std::wstring& command_line, size_t units)
{
    return command_line.size() < units;
}

std::wstring PassiveCommandLine(const std::wstring& path)
{
    return Quoted(path) + L" -passive -norestart";
}

std::wstring RepairCommandLine(const std::wstring& path)
{
    return Quoted(path) + L" -q -norestart -repair";
}

std::wstring RegisterServerCommandLine(const std::wstring& path)
{
    return L"regsvr32 " + Quoted(path) + L" -s";
}

std::wstring ProgramCommandLine(const std::wstring& path, const std::wstring& arguments)
{
    return Quoted(path) + arguments;
}

std::wstring ProductRemovalCommandLine()
{
    return std::wstring(L"msiexec ") + L" -x" + L" " + kProductCode + L" -q";
}

std::wstring RegWriterCommandLine(const std::wstring& path, const RegWriterValues& values)
{
    std::wstring line = Quoted(path);
    line += L" lang=" + ReplaceCharacter(values.languageKey, L'_', L'-');
    line += L" TARGETDIR=" + values.installDir;
    line += L" PRODUCTNAME=" + values.productKeyName;
    line += L" VERSION=" + values.version;
    line += values.wow64Package != 0 ? L" PLATFROM=x64" : L" PLATFROM=x86";
    line += L" NUM=" + std::to_wstring(values.numParameter);
    line += values.classicWorkspace != 0 ? L" WorkspaceName=0" : L" WorkspaceName=1";
    line += L" GlimraName=" + values.viewerName;
    line += L" GlimraPath=" + values.installDir;
    line += L" -q";
    return line;
}

std::wstring TablePackageName(const std::wstring& language_key, int office_bits)
{
    return std::wstring(L"QxTable_") + (language_key == L"zh_cn" ? L"CHS_" : L"ENG_") +
           (office_bits == 1 ? L"x64.msi" : L"x86.msi");
}

std::wstring TableProperties(int office_bits, const std::wstring& net_version)
{
    return L"OFFICEBITVER=" + std::to_wstring(office_bits) + L" NETVER=" + net_version;
}

std::wstring WithoutTrailingBackslashes(const std::wstring& text)
{
    size_t end = text.find_last_not_of(L'\\');
    return end == std::wstring::npos ? std::wstring() : text.substr(0, end + 1);
}

std::wstring ReplaceCharacter(const std::wstring& text, wchar_t from, wchar_t to)
{
    std::wstring result(text);
    for (auto& c : result) {
        if (c == from)
            c = to;
    }
    return result;
}

} // namespace glimra::setup
