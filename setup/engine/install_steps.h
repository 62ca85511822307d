#pragma once
// The install sequences as data: the interactive one (run by the worker thread for the
// progress page) and the quiet one (run on the main thread from the command line),
// each an ordered table of steps with the condition under which a step runs and what
// its failure means. No Windows headers.

#include <cstddef>
#include <vector>

namespace glimra::setup {

enum class Step {
    WriteSetupKey,             // the setup key read by the product
    WindowsInstallerUpdate,    // RunRepair
    VcRuntimeX86,              // RunRepair
    VcRuntime10X86,            // RunRepair
    VcRuntimeX64,              // RunRepair
    VcRuntime10X64,            // RunRepair
    Msxml6X86,                 // MsiInstall
    Msxml6X64,                 // MsiInstall
    ComponentProgram1,         // RunPassive orvd_global.exe
    ComponentProgram2,         // RunPassive orvd_local.exe
    TablePackage,              // MsiInstallWithCommandLine
    ComponentProgram3,         // RunPassive orvd_encryption.exe
    NoticeStepBegins,          // posts 1127 (before the file copies)
    CopyDistributionFiles,     // Setup.exe, SetupRes.dll, TUninstall, Setup.ini
    CreateSharedComponents,    // CreateFolderPath on the shared-components folder
    RegisterThumbnailLibrary,  // copy previewshell.dll there, RegisterServer
    RegisterImageLibrary,      // copy VaRevEzedi.dll there, RegisterServer
    RegisterProductProgram,    // orvd.exe -Regserver -nologo
    RegWriterX86,              // RunRegWriter files\RegWriter.exe
    RegWriterX64,              // RunRegWriter files\RegWriter_x64.exe
    RegisterProduct,           // uninstall key, shortcuts, log
    DeleteLeftoverUninstaller, // installDir\uninst.exe
    NoticeStepEnded,           // posts 1128
};

// Conditions, combined with |: a step runs when every one of its conditions holds.
enum Condition : unsigned {
    kAlways = 0,
    kWindowsInstallerMissing = 1u << 0, // no class for "WindowsInstaller.Installer"
    kProduct32Bit = 1u << 1,            // wow64Package 0
    kProduct64Bit = 1u << 2,            // wow64Package 1
    kWindows64Bit = 1u << 3,            // os64Bit 1
    kNumRegistersProgram = 1u << 4,     // numParameter 1 or 44
    kNotOverExisting = 1u << 5,         // maintenanceAction other than 3
};

// What a failed step does. The interactive form shows the box naming the item and
// ends; the quiet form ends silently.
enum class OnFailure {
    Ignore,          // the result is not looked at
    InstallFailure,  // ReportInstallFailure(name)
    RegisterFailure, // ReportRegisterFailure(name)
};

struct StepEntry {
    Step step;
    unsigned conditions;
    OnFailure onFailure;
    const wchar_t* failureName; // the item named by the failure box
};

// The facts the conditions are judged on.
struct StepFacts {
    bool windowsInstallerRegistered = true;
    int wow64Package = 0;
    int os64Bit = 0;
    int numParameter = 1;
    int maintenanceAction = 0;
};

bool ConditionsHold(unsigned conditions, const StepFacts& facts);

// The two sequences, in their order.
const std::vector<StepEntry>& InteractiveSteps();
const std::vector<StepEntry>& QuietSteps();

} // namespace glimra::setup
