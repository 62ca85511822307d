#pragma once
// Reading Setup.ini, the settings file beside the installer program, into SetupState.

#include <string>

namespace glimra::setup {

struct SetupState;

// Reads the Setup.ini that lies in the folder of `programPath` (the installer's full
// path). False, with nothing read, when that file does not exist. Needs os64Bit set.
bool ReadSetupIni(SetupState& state, const std::wstring& programPath);
// The same for the running program on the process's one SetupState.
bool ReadSetupIni();

// Full path of the running program.
std::wstring RunningProgramPath();

} // namespace glimra::setup
