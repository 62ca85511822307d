#pragma once
// Runs a program as a debuggee and collects the texts it sends to a debugger
// (OutputDebugString), which is how a test sees what the installer did without
// anything a user would see.

#include <cstdint>
#include <string>
#include <vector>

namespace glimra::setup::test {

struct DebugRun {
    bool started = false;
    bool finished = false; // ended by itself within the time allowed
    uint32_t exitCode = 0;
    std::vector<std::wstring> debugTexts;
};

DebugRun RunUnderDebugger(const std::wstring& program, const std::wstring& arguments,
                          const std::wstring& workingFolder, uint32_t timeoutMs = 30000);

} // namespace glimra::setup::test
