#pragma once
// The installer's one process-wide record of settings, probe results, command-line
// values and page choices. Flags are ints holding 0 or 1. No lock: it is written on the
// main thread during start-up and by the pages, and the install worker writes only
// the fields of its own while the pages wait for it.

#include <string>

namespace glimra::setup {

struct SetupState {
    std::wstring productName;
    std::wstring companyName;
    std::wstring version;
    int wow64Package = 0;
    int os64Bit = 0;
    std::wstring installDir;
    std::wstring languageId;
    std::wstring languageKey;
    std::wstring languageRaw;
    int netTest = 0;
    std::wstring globalServer;
    std::wstring channel;
    std::wstring netVersion;
    int officeBits = 0;
    int installed = 0;
    int installed64Bit = 0;
    int maintenanceAction = 3; // 0 new installation, 2 repair, 3 remove
    int launchAfterFinish = 1;
    int numParameter = 1;
    int classicWorkspace = 0;
    int licenceAgreed = 0;
    void* textModule = nullptr; // HMODULE of SetupRes.dll as loaded for texts
};

// The one instance of the process.
SetupState& TheSetupState();

} // namespace glimra::setup
