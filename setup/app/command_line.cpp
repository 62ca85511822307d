#include "setup/app/command_line.h"

#include "framework/text.h"
#include "setup/app/path_text.h"

#include <vector>

namespace glimra::setup {

namespace {

// Drops a quoted program path: what follows the second double quote, when there is one.
std::wstring WithoutQuotedProgram(const std::wstring& text)
{
    size_t first = text.find(L'"');
    if (first == std::wstring::npos)
        return text;
    size_t second = text.find(L'"', first + 1);
    if (second == std::wstring::npos)
        return text;
    return text.substr(second + 1);
}

// Splits at spaces; a double quote with a partner later on opens a group that runs
// to that partner and keeps both quotes; one without a partner is an ordinary character.
std::vector<std::wstring> SplitTokens(const std::wstring& text)
{
    std::vector<std::wstring> tokens;
    std::wstring current;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L' ') {
            if (!current.empty())
                tokens.push_back(current);
            current.clear();
            continue;
        }
        if (c == L'"') {
            size_t partner = text.find(L'"', i + 1);
            if (partner != std::wstring::npos) {
                current.append(text, i, partner - i + 1);
                i = partner;
                continue;
            }
        }
        current.push_back(c);
    }
    if (!current.empty())
        tokens.push_back(current);
    return tokens;
}

bool HasValueOne(const CommandLineArgs& args, const wchar_t* key)
{
    auto found = args.find(key);
    return found != args.end() && found->second == L"1";
}

} // namespace

void ParseCommandLine(const std::wstring& text, CommandLineArgs& args)
{
    std::wstring line = framework::Trim(WithoutQuotedProgram(text));
    args.clear();
    for (const auto& raw : SplitTokens(line)) {
        std::wstring token = framework::Trim(raw);
        size_t equals = token.rfind(L'=');
        if (equals == std::wstring::npos)
            continue;
        std::wstring key = framework::Trim(token.substr(0, equals));
        std::wstring value = framework::Trim(token.substr(equals + 1));
        if (!key.empty() && !value.empty())
            args[key] = value;
    }
}

bool IsQuietMode(const CommandLineArgs& args)
{
    if (args.empty())
        return false;
    for (const wchar_t* key : {L"quiet", L"silent", L"/q", L"/s"}) {
        if (HasValueOne(args, key))
            return true;
    }
    return false;
}

bool IsUninstallRequested(const CommandLineArgs& args)
{
    return HasValueOne(args, L"/Uninstall") || HasValueOne(args, L"/uninstall");
}

bool QuietTargetFolder(const CommandLineArgs& args, std::wstring& folder)
{
    for (const wchar_t* key : {L"TARGETDIR", L"dir", L"/d"}) {
        auto found = args.find(key);
        if (found == args.end())
            continue;
        std::wstring value = found->second;
        size_t start = value.find_first_not_of(L'"');
        value.erase(0, start == std::wstring::npos ? value.size() : start);
        size_t end = value.find_last_not_of(L'"');
        value.erase(end == std::wstring::npos ? 0 : end + 1);
        folder = RemoveTrailingBackslashes(value);
        return true;
    }
    return false;
}

bool QuietNumParameter(const CommandLineArgs& args, int& number)
{
    auto found = args.find(L"NUM");
    if (found == args.end())
        return false;
    constexpr long long kLargest = 0x7FFFFFFF;
    long long value = 0;
    for (wchar_t c : found->second) {
        if (c < L'0' || c > L'9')
            break;
        value = value * 10 + (c - L'0');
        if (value > kLargest)
            value = kLargest;
    }
    number = static_cast<int>(value);
    return true;
}

bool IsNoRestart(const CommandLineArgs& args)
{
    return HasValueOne(args, L"norestart");
}

RunMode ChooseRunMode(const CommandLineArgs& args, bool installed)
{
    if (IsQuietMode(args))
        return IsUninstallRequested(args) ? RunMode::QuietUninstall : RunMode::QuietInstall;
    return installed ? RunMode::Maintenance : RunMode::Wizard;
}

const wchar_t* RunModeName(RunMode mode)
{
    switch (mode) {
    case RunMode::QuietUninstall:
        return L"quiet uninstall";
    case RunMode::QuietInstall:
        return L"quiet install";
    case RunMode::Maintenance:
        return L"maintenance";
    case RunMode::Wizard:
        return L"wizard";
    }
    return L"unknown";
}

} // namespace glimra::setup
