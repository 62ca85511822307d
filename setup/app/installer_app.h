#pragma once
// The installer's application object. Its start-up hook prepares the environment,
// makes the start-up checks (each of which may end the run with a message), reads
// Setup.ini and the command line and hands over to exactly one run mode; it always
// returns false, so that the framework ends the process after the exit hook.

#include "framework/app.h"
#include "setup/app/command_line.h"
#include "setup/app/exit_codes.h"
#include "setup/app/run_modes.h"

#include <windows.h>

#include <string>

namespace glimra::setup {

class SystemFacts;
struct SetupState;

class COrvdInstallerApp : public framework::CWinApp {
public:
    // `programPath` is the installer's full path (empty: the running program); its
    // folder holds Setup.ini. The run modes are reached through `runModes`.
    explicit COrvdInstallerApp(const SystemFacts& facts, const RunModeEntries& runModes = kRunModes,
                               std::wstring programPath = L"");
    ~COrvdInstallerApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

    // The start-up sequence on the given command line (the process's own in
    // InitInstance). Always false.
    bool RunStartup(const std::wstring& commandLine);

    // Replaces commandLineArgs with the pairs of `text`.
    void ParseCommandLine(const std::wstring& text);

    // The exit code of the run so far (ExitInstance returns it).
    ExitCode RunExitCode() const { return exitCode_; }

    // The command line, key to value; the quiet install reads it.
    CommandLineArgs commandLineArgs;

private:
    void PrepareEnvironment();
    bool PassesChecks();
    bool CreateSingleInstanceMutex();
    void CloseSingleInstanceMutex();
    void Dispatch();
    // Shows `text` in an OK box titled with the program's own title; the run ends with
    // `code` (1603 unless a more precise code fits).
    void ShowStop(const std::wstring& text, ExitCode code = ExitCode::Failed);
    void EndWith(ExitCode code);

    const SystemFacts& facts_;
    RunModeEntries runModes_;
    std::wstring programPath_;
    std::wstring title_;
    HANDLE mutex_ = nullptr;
    HMODULE dialogResources_ = nullptr;
    HMODULE previousResources_ = nullptr;
    bool resourcesSwitched_ = false;
    bool oleInitialised_ = false;
    ExitCode exitCode_ = ExitCode::Success;
};

} // namespace glimra::setup
