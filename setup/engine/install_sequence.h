#pragma once
// Runs the step tables of install_steps.h: the interactive sequence, which tells a
// window about its progress and shows a box naming a failed item, and the quiet
// sequence, which tells nobody and ends silently at a failure.

#include "setup/app/command_line.h"
#include "setup/engine/install_steps.h"

#include <windows.h>

#include <string>
#include <vector>

namespace glimra::setup {

// Messages of the installation between the progress page and the worker thread
// (posted, never sent; both parameters 0 unless stated).
constexpr UINT kStartInstallMessage = WM_USER + 200;    // 1224, to the thread; lParam the window
constexpr UINT kInstallStartedNotice = WM_USER + 100;   // 1124
constexpr UINT kInstallSucceededNotice = WM_USER + 101; // 1125
constexpr UINT kInstallFailedNotice = WM_USER + 102;    // 1126

// The shared-components folder: the common program files folder + "\Tarvel\".
std::wstring SharedComponentsFolder();
// True when "WindowsInstaller.Installer" has a registered class.
bool WindowsInstallerRegistered();
// The facts of the step conditions, from SetupState and the system.
StepFacts CurrentStepFacts();

// Runs one step with the distribution in `setup_folder`, notifying `window` (may be
// null). True on success.
bool RunStep(Step step, const std::wstring& setup_folder, HWND window);
// Runs the steps whose conditions hold, in order, until one whose failure counts
// fails; returns that one, or null when the sequence went through.
const StepEntry* RunSteps(const std::vector<StepEntry>& steps, const StepFacts& facts,
                          const std::wstring& setup_folder, HWND window);

// The interactive sequence for `window`: 1124, then nothing but 1125 over an existing
// installation (maintenanceAction 3), else the steps and 1125, or at a failure its
// box and 1126.
void RunInteractiveInstall(const std::wstring& setup_folder, HWND window);
// The quiet sequence: installDir from TARGETDIR, dir or /d, numParameter from NUM,
// then the steps. True when every step that counts succeeded.
bool RunQuietSequence(const CommandLineArgs& args, const std::wstring& setup_folder);

} // namespace glimra::setup
