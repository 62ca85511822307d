#include "setup/app/installer_app.h"

#include "framework/message_box.h"
#include "framework/resource_module.h"
#include "setup/app/path_text.h"
#include "setup/app/probes.h"
#include "setup/app/setup_ini.h"
#include "setup/app/setup_state.h"
#include "setup/app/startup_rules.h"
#include "setup/app/system_facts.h"
#include "setup/app/text_catalogue.h"
#include "setup/app/windows_installer_module.h"

#include <commctrl.h>
#include <ole2.h>

namespace glimra::setup {

namespace {

constexpr DWORD kAllCommonControlClasses = 0xFF;

std::wstring SystemFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

// The rich-edit control 2.0 (class RichEdit20W) for the licence page, from the
// system folder only.
void LoadRichEdit()
{
    std::wstring folder = SystemFolder();
    if (!folder.empty())
        LoadLibraryW((folder + L"\\riched20.dll").c_str());
}

// Makes the mode reached visible to a debugger, and to nobody else.
void ReportRunMode(RunMode mode)
{
    OutputDebugStringW((std::wstring(L"Setup: run mode ") + RunModeName(mode) + L"\n").c_str());
}

} // namespace

COrvdInstallerApp::COrvdInstallerApp(const SystemFacts& facts, const RunModeEntries& runModes,
                                     std::wstring programPath)
    : facts_(facts), runModes_(runModes), programPath_(std::move(programPath))
{
    if (programPath_.empty())
        programPath_ = RunningProgramPath();
    title_ = BaseNameOf(programPath_);
}

// A mutex still held here was left to the end of the process, which this is.
COrvdInstallerApp::~COrvdInstallerApp()
{
    CloseSingleInstanceMutex();
}

bool COrvdInstallerApp::InitInstance()
{
    return RunStartup(GetCommandLineW());
}

int COrvdInstallerApp::ExitInstance()
{
    ReleaseWindowsInstallerModule();
    if (resourcesSwitched_) {
        SetResourceModule(previousResources_);
        resourcesSwitched_ = false;
    }
    if (oleInitialised_) {
        OleUninitialize();
        oleInitialised_ = false;
    }
    return CWinApp::ExitInstance();
}

bool COrvdInstallerApp::RunStartup(const std::wstring& commandLine)
{
    EndWith(ExitCode::Success);
    PrepareEnvironment();
    SetupState& state = TheSetupState();
    state.os64Bit = IsWindows64Bit(facts_) ? 1 : 0;
    if (!PassesChecks())
        return false;
    ParseCommandLine(commandLine);
    Dispatch();
    CloseSingleInstanceMutex();
    return false;
}

void COrvdInstallerApp::ParseCommandLine(const std::wstring& text)
{
    glimra::setup::ParseCommandLine(text, commandLineArgs);
}

void COrvdInstallerApp::PrepareEnvironment()
{
    LoadRichEdit();
    INITCOMMONCONTROLSEX controls = {sizeof(controls), kAllCommonControlClasses};
    InitCommonControlsEx(&controls);

    CWinApp::InitInstance();

    // Dialog templates, pictures, icons and cursors come from SetupRes.dll; without
    // it the program's own module stays in place.
    if (!resourcesSwitched_) {
        previousResources_ = ResourceModule();
        dialogResources_ = LoadLibraryW(L"SetupRes.dll");
        if (dialogResources_) {
            SetResourceModule(dialogResources_);
            resourcesSwitched_ = true;
        }
    }

    // The web page dialog hosts the browser control on this thread.
    if (!oleInitialised_)
        oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
}

bool COrvdInstallerApp::PassesChecks()
{
    SetupState& state = TheSetupState();
    if (!HasAdministratorRights(facts_)) {
        ShowStop(LoadResourceText(kTextNoAdministratorRights), ExitCode::NoAdministratorRights);
        return false;
    }
    ProbeNetVersion(state);
    if (state.netVersion.empty()) {
        ShowStop(LoadResourceText(kTextNetFrameworkMissing));
        return false;
    }
    ProbeExcelBitness(state);
    if (!CreateSingleInstanceMutex()) {
        // The handle, when there is one, stays open until the process ends.
        ShowStop(LoadResourceText(kTextAnotherInstance), ExitCode::AnotherInstance);
        return false;
    }
    if (FindRunningProduct() != 0) {
        ShowStop(LoadResourceText(kTextProductRunning));
        CloseSingleInstanceMutex();
        return false;
    }
    if (!ReadSetupIni(state, programPath_)) {
        ShowStop(kMissingSetupIniText);
        CloseSingleInstanceMutex();
        return false;
    }
    FindInstalledProduct(state);
    switch (
        CheckBitness(state.os64Bit, state.wow64Package, state.installed, state.installed64Bit)) {
    case BitnessVerdict::Proceed:
        return true;
    case BitnessVerdict::ProductNeeds64BitWindows:
        ShowStop(LoadResourceText(kTextNeeds64BitWindows)); // mutex left to the process end
        return false;
    case BitnessVerdict::OtherBitness64Installed:
        ShowStop(LoadResourceText(kText64BitInstalled));
        break;
    case BitnessVerdict::OtherBitness32Installed:
        ShowStop(LoadResourceText(kText32BitInstalled));
        break;
    }
    CloseSingleInstanceMutex();
    return false;
}

bool COrvdInstallerApp::CreateSingleInstanceMutex()
{
    std::wstring name = LoadResourceText(kTextMutexName);
    SetLastError(ERROR_SUCCESS);
    mutex_ = CreateMutexW(nullptr, TRUE, name.c_str());
    // No handle at all (a foreign object of that name, or one we may not open) cannot
    // prove that no other copy runs either.
    return mutex_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

void COrvdInstallerApp::CloseSingleInstanceMutex()
{
    if (mutex_) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}

void COrvdInstallerApp::Dispatch()
{
    SetupState& state = TheSetupState();
    RunMode mode = ChooseRunMode(commandLineArgs, state.installed == 1);
    ReportRunMode(mode);
    ExitCode code = ExitCode::Success;
    switch (mode) {
    case RunMode::QuietUninstall:
        QuietTargetFolder(commandLineArgs, state.installDir);
        code = runModes_.uninstallProduct() ? ExitCode::Success : ExitCode::Failed;
        break;
    case RunMode::QuietInstall:
        if (IsNoRestart(commandLineArgs))
            state.launchAfterFinish = 0;
        code = runModes_.runQuietInstall(*this);
        break;
    case RunMode::Maintenance:
        code = runModes_.runMaintenanceFlow();
        break;
    case RunMode::Wizard:
        code = runModes_.runWizardFlow();
        break;
    }
    EndWith(code);
}

void COrvdInstallerApp::EndWith(ExitCode code)
{
    exitCode_ = code;
    SetExitCode(ToInt(code));
}

void COrvdInstallerApp::ShowStop(const std::wstring& text, ExitCode code)
{
    EndWith(code);
    framework::ShowMessageBox(nullptr, text, title_, MB_OK);
}

} // namespace glimra::setup
