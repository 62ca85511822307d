#pragma once
// The process exit code of every run mode. Deployment tools read it after a quiet
// installation, so the numbers follow the Windows Installer convention and never change.

namespace glimra::setup {

enum class ExitCode : int {
    Success = 0,                 // also when there was nothing to do
    Cancelled = 1602,            // the user cancelled or declined
    Failed = 1603,               // a step failed, or a start-up check stopped the run
    AnotherInstance = 1618,      // another copy of the installer is running
    NoAdministratorRights = 1925 // the installer runs without administrator rights
};

inline int ToInt(ExitCode code)
{
    return static_cast<int>(code);
}

} // namespace glimra::setup
