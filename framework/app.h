#pragma once
// The application object: one per program or library, with a start-up hook and an
// exit hook. The program's wWinMain (or the library's DllMain) hands it control.

#include <windows.h>

#include <string>

namespace framework {

class CWinApp {
public:
    explicit CWinApp(const wchar_t* app_name = nullptr);
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up. Returning false ends a program at once (after ExitInstance); a
    // dialog-based program does all its work here and returns false.
    virtual bool InitInstance() { return true; }
    // Exit: returns the process exit code (by default the one set with SetExitCode,
    // or that of the message loop's WM_QUIT).
    virtual int ExitInstance() { return exit_code_; }

    // Runs a program: InitInstance, the message loop if it returned true, ExitInstance.
    int RunProgram(HINSTANCE instance, const wchar_t* command_line);
    // For a library's DllMain: InitInstance on attach, ExitInstance on detach.
    bool AttachLibrary(HINSTANCE instance);
    void DetachLibrary();

    HINSTANCE Instance() const { return instance_; }
    const std::wstring& AppName() const { return app_name_; }
    // The command line after the program name (the whole command line in a library).
    const std::wstring& CommandLine() const { return command_line_; }

    // The current resource module of this binary (see resource_module.h).
    HMODULE ResourceModule() const;
    void SetResourceModule(HMODULE module);

    void SetExitCode(int code) { exit_code_ = code; }

private:
    std::wstring app_name_;
    std::wstring command_line_;
    HINSTANCE instance_ = nullptr;
    int exit_code_ = 0;
};

} // namespace framework
