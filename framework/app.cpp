#include "framework/app.h"

#include "framework/resource_module.h"

namespace framework {

CWinApp::CWinApp(const wchar_t* app_name) : app_name_(app_name ? app_name : L"") {}

int CWinApp::RunProgram(HINSTANCE instance, const wchar_t* command_line)
{
    instance_ = instance;
    command_line_ = command_line ? command_line : L"";
    if (InitInstance()) {
        MSG message;
        BOOL result;
        while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0 && result != -1) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (result == 0)
            exit_code_ = static_cast<int>(message.wParam);
    }
    return ExitInstance();
}

bool CWinApp::AttachLibrary(HINSTANCE instance)
{
    instance_ = instance;
    command_line_ = GetCommandLineW();
    return InitInstance();
}

void CWinApp::DetachLibrary()
{
    ExitInstance();
}

HMODULE CWinApp::ResourceModule() const
{
    return CurrentResourceModule();
}

void CWinApp::SetResourceModule(HMODULE module)
{
    SetCurrentResourceModule(module);
}

} // namespace framework
