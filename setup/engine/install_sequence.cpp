#include "setup/engine/install_sequence.h"

#include "setup/app/setup_state.h"
#include "setup/engine/catalogue.h"
#include "setup/engine/command_lines.h"
#include "setup/engine/failure_reports.h"
#include "setup/engine/install_log.h"
#include "setup/engine/msi_runner.h"
#include "setup/engine/notices.h"
#include "setup/engine/process_runner.h"
#include "setup/engine/registration.h"

#include <objbase.h>
#include <shlobj.h>

namespace glimra::setup {

namespace {

const wchar_t kWindowsInstallerProgId[] = L"WindowsInstaller.Installer";
const wchar_t kSharedComponentsName[] = L"\\Tarvel\\";
const wchar_t kLeftoverUninstaller[] = L"\\uninst.exe";

// Setup.exe's own files that the product folder keeps for maintenance and removal:
// from the setup folder, to installDir. The uninstaller loses its extension.
struct CopiedFile {
    const wchar_t* from;
    const wchar_t* to;
};
const CopiedFile kDistributionFiles[] = {
    {L"\\Setup.exe", L"\\Setup.exe"},
    {L"\\SetupRes.dll", L"\\SetupRes.dll"},
    {L"\\TUninstall.exe", L"\\TUninstall"},
    {L"\\Setup.ini", L"\\Setup.ini"},
};

void CopyOverwriting(const std::wstring& from, const std::wstring& to)
{
    CopyFileW(from.c_str(), to.c_str(), FALSE); // the result is not looked at
}

// Copies a COM server from the product folder into the shared-components folder and
// registers the copy.
bool RegisterSharedLibrary(const wchar_t* name)
{
    const std::wstring folder = SharedComponentsFolder();
    if (folder.empty())
        return false; // no place for the library: a relative name would register another
    const std::wstring copy = folder + name;
    CopyOverwriting(TheSetupState().installDir + L"\\" + name, copy);
    return RegisterServer(copy);
}

bool RunTablePackage(const std::wstring& setup_folder, HWND window)
{
    const SetupState& state = TheSetupState();
    return MsiInstallWithCommandLine(setup_folder + catalogue::kPackageFolder +
                                         TablePackageName(state.languageKey, state.officeBits),
                                     TableProperties(state.officeBits, state.netVersion), window);
}

} // namespace

std::wstring SharedComponentsFolder()
{
    wchar_t common[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMON, nullptr, SHGFP_TYPE_CURRENT,
                                common)))
        return std::wstring();
    return std::wstring(common) + kSharedComponentsName;
}

bool WindowsInstallerRegistered()
{
    CLSID clsid;
    return SUCCEEDED(CLSIDFromProgID(kWindowsInstallerProgId, &clsid));
}

StepFacts CurrentStepFacts()
{
    const SetupState& state = TheSetupState();
    StepFacts facts;
    facts.windowsInstallerRegistered = WindowsInstallerRegistered();
    facts.wow64Package = state.wow64Package;
    facts.os64Bit = state.os64Bit;
    facts.numParameter = state.numParameter;
    facts.maintenanceAction = state.maintenanceAction;
    return facts;
}

bool RunStep(Step step, const std::wstring& setup_folder, HWND window)
{
    const std::wstring& dir = TheSetupState().installDir;
    switch (step) {
    case Step::WriteSetupKey:
        WriteSetupKey();
        return true;
    case Step::WindowsInstallerUpdate:
        return RunRepair(setup_folder + catalogue::kWindowsInstallerUpdate, window);
    case Step::VcRuntimeX86:
        return RunRepair(setup_folder + catalogue::kVcRuntimeX86, window);
    case Step::VcRuntime10X86:
        return RunRepair(setup_folder + catalogue::kVcRuntime10X86, window);
    case Step::VcRuntimeX64:
        return RunRepair(setup_folder + catalogue::kVcRuntimeX64, window);
    case Step::VcRuntime10X64:
        return RunRepair(setup_folder + catalogue::kVcRuntime10X64, window);
    case Step::Msxml6X86:
        return MsiInstall(setup_folder + catalogue::kMsxml6X86, window);
    case Step::Msxml6X64:
        return MsiInstall(setup_folder + catalogue::kMsxml6X64, window);
    case Step::ComponentProgram1:
        return RunPassive(setup_folder + catalogue::kComponentProgram1, window);
    case Step::ComponentProgram2:
        return RunPassive(setup_folder + catalogue::kComponentProgram2, window);
    case Step::TablePackage:
        return RunTablePackage(setup_folder, window);
    case Step::ComponentProgram3:
        return RunPassive(setup_folder + catalogue::kComponentProgram3, window);
    case Step::NoticeStepBegins:
        PostNotice(window, kStepBeginsNotice);
        return true;
    case Step::CopyDistributionFiles:
        for (const CopiedFile& file : kDistributionFiles)
            CopyOverwriting(setup_folder + file.from, dir + file.to);
        return true;
    case Step::CreateSharedComponents:
        return CreateFolderPath(SharedComponentsFolder());
    case Step::RegisterThumbnailLibrary:
        return RegisterSharedLibrary(catalogue::kThumbnailLibrary);
    case Step::RegisterImageLibrary:
        return RegisterSharedLibrary(catalogue::kImageLibrary);
    case Step::RegisterProductProgram:
        return RunProgram(dir + catalogue::kProductProgram, kRegisterProgramArguments);
    case Step::RegWriterX86:
        return RunRegWriter(setup_folder + catalogue::kRegWriterX86);
    case Step::RegWriterX64:
        return RunRegWriter(setup_folder + catalogue::kRegWriterX64);
    case Step::RegisterProduct:
        RegisterProduct();
        return true;
    case Step::DeleteLeftoverUninstaller:
        DeleteFileW((dir + kLeftoverUninstaller).c_str());
        return true;
    case Step::NoticeStepEnded:
        PostNotice(window, kStepEndedNotice);
        return true;
    }
    return false;
}

const StepEntry* RunSteps(const std::vector<StepEntry>& steps, const StepFacts& facts,
                          const std::wstring& setup_folder, HWND window)
{
    for (const StepEntry& entry : steps) {
        if (!ConditionsHold(entry.conditions, facts))
            continue;
        bool succeeded = RunStep(entry.step, setup_folder, window);
        if (!succeeded && entry.onFailure != OnFailure::Ignore)
            return &entry;
    }
    return nullptr;
}

void RunInteractiveInstall(const std::wstring& setup_folder, HWND window)
{
    PostNotice(window, kInstallStartedNotice);
    if (TheSetupState().maintenanceAction == 3) {
        PostNotice(window, kInstallSucceededNotice);
        return;
    }
    const StepEntry* failed =
        RunSteps(InteractiveSteps(), CurrentStepFacts(), setup_folder, window);
    if (failed == nullptr) {
        PostNotice(window, kInstallSucceededNotice);
        return;
    }
    if (failed->onFailure == OnFailure::RegisterFailure)
        ReportRegisterFailure(failed->failureName);
    else
        ReportInstallFailure(failed->failureName);
    PostNotice(window, kInstallFailedNotice);
}

bool RunQuietSequence(const CommandLineArgs& args, const std::wstring& setup_folder)
{
    SetupState& state = TheSetupState();
    QuietTargetFolder(args, state.installDir);
    QuietNumParameter(args, state.numParameter);
    return RunSteps(QuietSteps(), CurrentStepFacts(), setup_folder, nullptr) == nullptr;
}

} // namespace glimra::setup
