#include "login/data/data_manager.h"

#include "login/data/login_rules.h"
#include "login/interface/resource_lookup.h"

#include <windows.h>
#include <shellapi.h>

namespace glimra::login {

const wchar_t kDefaultAccountServer[] = L"http://account.tarvel.com";
const wchar_t kDefaultParameterServer[] = L"http://params.tarvel.com";

namespace {

constexpr UINT kAccountPrompt = 5001;
constexpr UINT kPasswordPrompt = 5002;

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    return bytes;
}

// explorer.exe lives in the Windows folder itself, not in the system folder.
std::wstring ExplorerPath()
{
    wchar_t folder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"";
    return std::wstring(folder, length) + L"\\explorer.exe";
}

} // namespace

CDataManager& CDataManager::Instance()
{
    // A function-local static: constructed once, safely against concurrent first
    // calls, destroyed when the library is unloaded.
    static CDataManager instance;
    return instance;
}

CDataManager::CDataManager() = default;
CDataManager::~CDataManager() = default;

void CDataManager::SetCallback(Callback slot, LoginCallback callback)
{
    callbacks[static_cast<size_t>(slot)] = callback;
}

void CDataManager::Fire(Callback slot) const
{
    if (LoginCallback callback = callbacks[static_cast<size_t>(slot)])
        callback();
}

int CDataManager::ClassifyLoginName(const std::wstring& text) const
{
    return ClassifyLoginNameText(text, LoadResText(kAccountPrompt, L"请输入手机号或者邮箱地址"));
}

bool CDataManager::CheckPasswordRule(const std::wstring& text) const
{
    if (text == LoadResText(kPasswordPrompt, L"请输入密码"))
        return false;
    return PasswordLengthAccepted(text.size()) && PasswordClassesAccepted(ToAnsi(text));
}

int CDataManager::OpenUrlInBrowser(const std::wstring& url) const
{
    std::wstring explorer = ExplorerPath();
    if (!explorer.empty()) {
        ShellExecuteW(nullptr, L"open", explorer.c_str(), BrowserParameters(url).c_str(), nullptr,
                      SW_SHOWNORMAL);
    }
    return 0;
}

} // namespace glimra::login
