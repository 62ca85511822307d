#include "setup/engine/install_steps.h"

namespace glimra::setup {

namespace {

constexpr OnFailure kIgnore = OnFailure::Ignore;
constexpr OnFailure kInstall = OnFailure::InstallFailure;
constexpr OnFailure kRegister = OnFailure::RegisterFailure;

} // namespace

bool ConditionsHold(unsigned conditions, const StepFacts& facts)
{
    if ((conditions & kWindowsInstallerMissing) && facts.windowsInstallerRegistered)
        return false;
    if ((conditions & kProduct32Bit) && facts.wow64Package != 0)
        return false;
    if ((conditions & kProduct64Bit) && facts.wow64Package == 0)
        return false;
    if ((conditions & kWindows64Bit) && facts.os64Bit != 1)
        return false;
    if ((conditions & kNumRegistersProgram) && facts.numParameter != 1 && facts.numParameter != 44)
        return false;
    if ((conditions & kNotOverExisting) && facts.maintenanceAction == 3)
        return false;
    return true;
}

// The two orders side by side: the quiet one writes the setup key first (the wizard's
// pages have done it before an interactive run), posts no notices, registers orvd.exe
// only for NUM 1 or 44 and skips the registry writer over an existing installation.
//
//   interactive                                  quiet
//   -                                            WriteSetupKey
//   WindowsInstallerUpdate ... ComponentProgram3 the same
//   NoticeStepBegins                             -
//   CopyDistributionFiles ... RegisterImageLib.  the same
//   RegisterProductProgram                       only NUM 1 or 44
//   RegWriterX86 / RegWriterX64                  not over an existing installation
//   RegisterProduct, DeleteLeftoverUninstaller   the same
//   NoticeStepEnded                              -
const std::vector<StepEntry>& InteractiveSteps()
{
    static const std::vector<StepEntry> steps = {
        {Step::WindowsInstallerUpdate, kWindowsInstallerMissing, kInstall,
         L"WindowsInstaller-KB893803-v2-x86.exe"},
        {Step::VcRuntimeX86, kProduct32Bit, kInstall, L"vc_redist.x86.exe"},
        {Step::VcRuntime10X86, kProduct32Bit, kInstall, L"vcredist_x86_10.exe"},
        {Step::VcRuntimeX64, kWindows64Bit, kInstall, L"vc_redist.x64.exe"},
        {Step::VcRuntime10X64, kWindows64Bit, kInstall, L"vcredist_x64_10.exe"},
        {Step::Msxml6X86, kProduct32Bit, kIgnore, L"msxml6.msi"},
        {Step::Msxml6X64, kProduct64Bit, kInstall, L"msxml6_x64.msi"},
        {Step::ComponentProgram1, kAlways, kInstall, L"orvd_global.exe"},
        {Step::ComponentProgram2, kAlways, kInstall, L"orvd_local.exe"},
        {Step::TablePackage, kAlways, kIgnore, L""},
        {Step::ComponentProgram3, kAlways, kInstall, L"orvd_encryption.exe"},
        {Step::NoticeStepBegins, kAlways, kIgnore, L""},
        {Step::CopyDistributionFiles, kAlways, kIgnore, L""},
        {Step::CreateSharedComponents, kAlways, kIgnore, L""},
        {Step::RegisterThumbnailLibrary, kAlways, kRegister, L"previewshell.dll"},
        {Step::RegisterImageLibrary, kAlways, kRegister, L"VaRevEzedi.dll"},
        {Step::RegisterProductProgram, kAlways, kRegister, L"orvd.exe"},
        {Step::RegWriterX86, kProduct32Bit, kInstall, L"RegWriter.exe"},
        {Step::RegWriterX64, kProduct64Bit, kInstall, L"RegWriter_x64.exe"},
        {Step::RegisterProduct, kAlways, kIgnore, L""},
        {Step::DeleteLeftoverUninstaller, kAlways, kIgnore, L""},
        {Step::NoticeStepEnded, kAlways, kIgnore, L""},
    };
    return steps;
}

const std::vector<StepEntry>& QuietSteps()
{
    static const std::vector<StepEntry> steps = {
        {Step::WriteSetupKey, kAlways, kIgnore, L""},
        {Step::WindowsInstallerUpdate, kWindowsInstallerMissing, kInstall,
         L"WindowsInstaller-KB893803-v2-x86.exe"},
        {Step::VcRuntimeX86, kProduct32Bit, kInstall, L"vc_redist.x86.exe"},
        {Step::VcRuntime10X86, kProduct32Bit, kInstall, L"vcredist_x86_10.exe"},
        {Step::VcRuntimeX64, kWindows64Bit, kInstall, L"vc_redist.x64.exe"},
        {Step::VcRuntime10X64, kWindows64Bit, kInstall, L"vcredist_x64_10.exe"},
        {Step::Msxml6X86, kProduct32Bit, kIgnore, L"msxml6.msi"},
        {Step::Msxml6X64, kProduct64Bit, kInstall, L"msxml6_x64.msi"},
        {Step::ComponentProgram1, kAlways, kInstall, L"orvd_global.exe"},
        {Step::ComponentProgram2, kAlways, kInstall, L"orvd_local.exe"},
        {Step::TablePackage, kAlways, kIgnore, L""},
        {Step::ComponentProgram3, kAlways, kInstall, L"orvd_encryption.exe"},
        {Step::CopyDistributionFiles, kAlways, kIgnore, L""},
        {Step::CreateSharedComponents, kAlways, kIgnore, L""},
        {Step::RegisterThumbnailLibrary, kAlways, kRegister, L"previewshell.dll"},
        {Step::RegisterImageLibrary, kAlways, kRegister, L"VaRevEzedi.dll"},
        {Step::RegisterProductProgram, kNumRegistersProgram, kRegister, L"orvd.exe"},
        {Step::RegWriterX86, kProduct32Bit | kNotOverExisting, kInstall, L"RegWriter.exe"},
        {Step::RegWriterX64, kProduct64Bit | kNotOverExisting, kInstall, L"RegWriter_x64.exe"},
        {Step::RegisterProduct, kAlways, kIgnore, L""},
        {Step::DeleteLeftoverUninstaller, kAlways, kIgnore, L""},
    };
    return steps;
}

} // namespace glimra::setup
