#include "login/interface/login_session.h"

#include "framework/resource_module.h"
#include "login/data/data_manager.h"
#include "login/dialogs/login_dialog.h"

#include <windows.h>

#include <string>

namespace glimra::login {

const wchar_t kResourceLibraryName[] = L"tloginres.dll";

namespace {

// The folder of the binary this code is linked into (tlogin.dll), with a backslash.
std::wstring OwnFolder()
{
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&OwnFolder), &self))
        return L"";
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(self, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return L"";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// Loads the resource library from our own folder, by full path, so that no other
// folder of the search order can supply it. It stays loaded: every call adds a
// reference, which the system counts.
HMODULE LoadResourceLibrary()
{
    std::wstring folder = OwnFolder();
    if (!folder.empty())
        LoadLibraryW((folder + kResourceLibraryName).c_str());
    return GetModuleHandleW(kResourceLibraryName);
}

} // namespace

int RunLoginSession()
{
    framework::ResourceModuleScope resources(LoadResourceLibrary());
    CDataManager::Instance().user.ResetIdentity();
    CLoginDlg dialog;
    return static_cast<int>(dialog.DoModal());
}

} // namespace glimra::login
