#include "setup/engine/msi_runner.h"

#include "framework/message_box.h"
#include "setup/app/setup_state.h"
#include "setup/app/setup_texts.h"
#include "setup/app/text_catalogue.h"
#include "setup/app/windows_installer_module.h"
#include "setup/engine/msi_rules.h"
#include "setup/engine/notices.h"
#include "setup/engine/system_paths.h"

#include <atomic>

namespace glimra::setup {

namespace {

using InstallUiHandler = int(WINAPI*)(LPVOID, UINT, LPCWSTR);
using SetInternalUiFunction = int(WINAPI*)(int, HWND*);
using SetExternalUiFunction = InstallUiHandler(WINAPI*)(InstallUiHandler, DWORD, LPVOID);
using InstallProductFunction = UINT(WINAPI*)(LPCWSTR, LPCWSTR);

// msi.dll and its entry points, for the life of the process (one installing thread).
struct MsiLibrary {
    HMODULE module = nullptr;
    SetInternalUiFunction setInternalUi = nullptr;
    SetExternalUiFunction setExternalUi = nullptr;
    InstallProductFunction installProduct = nullptr;
};
MsiLibrary g_msi;
std::atomic<bool> g_handlerCalled{false};
std::atomic<unsigned> g_errorLanguage{0};

template <typename Function> Function EntryPoint(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(g_msi.module, name)));
}

// True when the library and its three entry points are there.
bool EnsureMsiLibrary()
{
    // The application object keeps the loaded library and frees it in its exit hook.
    if (WindowsInstallerModule() == nullptr)
        KeepWindowsInstallerModule(LoadSystemLibrary(L"msi.dll"));
    if (g_msi.module != WindowsInstallerModule()) {
        g_msi = MsiLibrary();
        g_msi.module = WindowsInstallerModule();
        if (g_msi.module == nullptr)
            return false;
        g_msi.setInternalUi = EntryPoint<SetInternalUiFunction>("MsiSetInternalUI");
        g_msi.setExternalUi = EntryPoint<SetExternalUiFunction>("MsiSetExternalUIW");
        g_msi.installProduct = EntryPoint<InstallProductFunction>("MsiInstallProductW");
    }
    return g_msi.setInternalUi && g_msi.setExternalUi && g_msi.installProduct;
}

void SetInternalUiLevel(int level)
{
    HWND no_owner = nullptr;
    g_msi.setInternalUi(level, &no_owner);
}

void ShowFailure(MsiRunner runner, const std::wstring& path)
{
    std::wstring text = MsiFailureText(runner, path, LoadResourceText(kTextMsiInstallFailed));
    framework::ShowMessageBox(nullptr, text, TheSetupState().productName, MB_OK);
}

bool Install(MsiRunner runner, const std::wstring& path, const wchar_t* command_line, HWND window)
{
    PostNotice(window, kStepBeginsNotice);
    if (!EnsureMsiLibrary() || !PathExists(path)) {
        if (!MsiFailureIsSilent(runner, path, false))
            ShowFailure(runner, path);
        return false;
    }
    SetInternalUiLevel(kMsiUiNoneSourceResOnly);
    g_msi.setExternalUi(MsiMessageHandler, kMsiMessageFilter,
                        const_cast<wchar_t*>(kMsiHandlerContext));
    if (g_msi.installProduct(path.c_str(), command_line) == ERROR_SUCCESS) {
        PostNotice(window, kStepEndedNotice);
        return true;
    }
    if (!MsiFailureIsSilent(runner, path, true))
        ShowFailure(runner, path);
    return false;
}

// The error box in the language the installation announced; the language decides the
// texts of the box's buttons.
int ShowErrorBox(const wchar_t* text, UINT style)
{
    return MessageBoxExW(nullptr, text, L"Error", style, static_cast<WORD>(g_errorLanguage.load()));
}

} // namespace

bool MsiInstall(const std::wstring& path, HWND window)
{
    return Install(MsiRunner::Plain, path, nullptr, window);
}

bool MsiInstallWithCommandLine(const std::wstring& path, const std::wstring& command_line,
                               HWND window)
{
    return Install(MsiRunner::WithCommandLine, path, command_line.c_str(), window);
}

int WINAPI MsiMessageHandler(LPVOID, UINT message_type, LPCWSTR message_text)
{
    if (!g_handlerCalled.exchange(true) && EnsureMsiLibrary())
        SetInternalUiLevel(kMsiUiBasic);
    if (message_text == nullptr)
        return 0;

    UINT style = MsiStyleOf(message_type);
    MsiKindRule rule = RuleForMsiKind(MsiKindOf(message_type));
    switch (rule.action) {
    case MsiAction::FatalBox:
        return framework::ShowMessageBox(nullptr, message_text, L"FatalError", style);
    case MsiAction::ErrorBox:
        MessageBeep(style & 0xF0);
        return ShowErrorBox(message_text, style);
    case MsiAction::WarningBox:
        return framework::ShowMessageBox(nullptr, message_text, L"Warning", style);
    case MsiAction::CommonData:
        if (auto language = ErrorLanguageFromCommonData(message_text))
            g_errorLanguage = *language;
        return rule.result;
    case MsiAction::Nothing:
        break;
    }
    return rule.result;
}

unsigned MsiErrorLanguage()
{
    return g_errorLanguage;
}

void FreeMsiLibrary()
{
    ReleaseWindowsInstallerModule();
    g_msi = MsiLibrary();
}

} // namespace glimra::setup
