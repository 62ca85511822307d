// The two step tables judged on the facts of typical machines: which steps run, in
// which order, and what a failure of each means.
#include "setup/engine/install_steps.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

using namespace glimra::setup;

namespace {

std::vector<Step> Running(const std::vector<StepEntry>& steps, const StepFacts& facts)
{
    std::vector<Step> running;
    for (const StepEntry& entry : steps) {
        if (ConditionsHold(entry.conditions, facts))
            running.push_back(entry.step);
    }
    return running;
}

StepFacts Facts(int wow64, int os64, int num = 1, int maintenance = 0, bool msi = true)
{
    StepFacts facts;
    facts.wow64Package = wow64;
    facts.os64Bit = os64;
    facts.numParameter = num;
    facts.maintenanceAction = maintenance;
    facts.windowsInstallerRegistered = msi;
    return facts;
}

const StepEntry& Entry(const std::vector<StepEntry>& steps, Step step)
{
    for (const StepEntry& entry : steps) {
        if (entry.step == step)
            return entry;
    }
    static const StepEntry none{Step::NoticeStepEnded, 0, OnFailure::Ignore, L"<none>"};
    ADD_FAILURE() << "step not in the table";
    return none;
}

} // namespace

TEST(InstallSteps, ThirtyTwoBitProductOnSixtyFourBitWindows)
{
    using S = Step;
    EXPECT_EQ(Running(InteractiveSteps(), Facts(0, 1)),
              (std::vector<Step>{
                  S::VcRuntimeX86, S::VcRuntime10X86, S::VcRuntimeX64, S::VcRuntime10X64,
                  S::Msxml6X86, S::ComponentProgram1, S::ComponentProgram2, S::TablePackage,
                  S::ComponentProgram3, S::NoticeStepBegins, S::CopyDistributionFiles,
                  S::CreateSharedComponents, S::RegisterThumbnailLibrary, S::RegisterImageLibrary,
                  S::RegisterProductProgram, S::RegWriterX86, S::RegisterProduct,
                  S::DeleteLeftoverUninstaller, S::NoticeStepEnded}));
    EXPECT_EQ(Running(QuietSteps(), Facts(0, 1)),
              (std::vector<Step>{
                  S::WriteSetupKey, S::VcRuntimeX86, S::VcRuntime10X86, S::VcRuntimeX64,
                  S::VcRuntime10X64, S::Msxml6X86, S::ComponentProgram1, S::ComponentProgram2,
                  S::TablePackage, S::ComponentProgram3, S::CopyDistributionFiles,
                  S::CreateSharedComponents, S::RegisterThumbnailLibrary, S::RegisterImageLibrary,
                  S::RegisterProductProgram, S::RegWriterX86, S::RegisterProduct,
                  S::DeleteLeftoverUninstaller}));
}

TEST(InstallSteps, SixtyFourBitProductAndThirtyTwoBitWindows)
{
    using S = Step;
    // A 64-bit product skips the 32-bit runtimes and takes the 64-bit packages.
    EXPECT_EQ(Running(InteractiveSteps(), Facts(1, 1)),
              (std::vector<Step>{
                  S::VcRuntimeX64, S::VcRuntime10X64, S::Msxml6X64, S::ComponentProgram1,
                  S::ComponentProgram2, S::TablePackage, S::ComponentProgram3, S::NoticeStepBegins,
                  S::CopyDistributionFiles, S::CreateSharedComponents, S::RegisterThumbnailLibrary,
                  S::RegisterImageLibrary, S::RegisterProductProgram, S::RegWriterX64,
                  S::RegisterProduct, S::DeleteLeftoverUninstaller, S::NoticeStepEnded}));
    // 32-bit Windows without Windows Installer: the update first, no 64-bit runtimes.
    std::vector<Step> running = Running(InteractiveSteps(), Facts(0, 0, 1, 0, false));
    ASSERT_GE(running.size(), 4u);
    EXPECT_EQ(std::vector<Step>(running.begin(), running.begin() + 4),
              (std::vector<Step>{S::WindowsInstallerUpdate, S::VcRuntimeX86, S::VcRuntime10X86,
                                 S::Msxml6X86}));
}

TEST(InstallSteps, QuietFormDependsOnNumAndAnExistingInstallation)
{
    struct Case {
        int num;
        int maintenance;
        bool registersProgram;
        bool runsRegWriter;
    };
    for (const Case& c : std::vector<Case>{{1, 0, true, true},
                                           {44, 0, true, true},
                                           {7, 0, false, true},
                                           {0, 0, false, true},
                                           {1, 3, true, false},
                                           {1, 2, true, true}}) {
        SCOPED_TRACE(::testing::Message() << "NUM " << c.num << ", maintenance " << c.maintenance);
        std::vector<Step> quiet = Running(QuietSteps(), Facts(0, 1, c.num, c.maintenance));
        auto has = [&quiet](Step step) {
            return std::find(quiet.begin(), quiet.end(), step) != quiet.end();
        };
        EXPECT_EQ(has(Step::RegisterProductProgram), c.registersProgram);
        EXPECT_EQ(has(Step::RegWriterX86), c.runsRegWriter);
        EXPECT_TRUE(has(Step::RegisterProduct));
        // The interactive form does not look at either.
        std::vector<Step> interactive =
            Running(InteractiveSteps(), Facts(0, 1, c.num, c.maintenance));
        EXPECT_EQ(interactive.size(), 19u);
    }
}

TEST(InstallSteps, FailuresNameTheirItems)
{
    struct Case {
        Step step;
        OnFailure onFailure;
        std::wstring name;
    };
    const std::vector<Case> cases = {
        {Step::WindowsInstallerUpdate, OnFailure::InstallFailure,
         L"WindowsInstaller-KB893803-v2-x86.exe"},
        {Step::VcRuntimeX86, OnFailure::InstallFailure, L"vc_redist.x86.exe"},
        {Step::VcRuntime10X86, OnFailure::InstallFailure, L"vcredist_x86_10.exe"},
        {Step::VcRuntimeX64, OnFailure::InstallFailure, L"vc_redist.x64.exe"},
        {Step::VcRuntime10X64, OnFailure::InstallFailure, L"vcredist_x64_10.exe"},
        {Step::Msxml6X86, OnFailure::Ignore, L"msxml6.msi"},
        {Step::Msxml6X64, OnFailure::InstallFailure, L"msxml6_x64.msi"},
        {Step::ComponentProgram1, OnFailure::InstallFailure, L"orvd_global.exe"},
        {Step::ComponentProgram2, OnFailure::InstallFailure, L"orvd_local.exe"},
        {Step::TablePackage, OnFailure::Ignore, L""},
        {Step::ComponentProgram3, OnFailure::InstallFailure, L"orvd_encryption.exe"},
        {Step::CopyDistributionFiles, OnFailure::Ignore, L""},
        {Step::CreateSharedComponents, OnFailure::Ignore, L""},
        {Step::RegisterThumbnailLibrary, OnFailure::RegisterFailure, L"previewshell.dll"},
        {Step::RegisterImageLibrary, OnFailure::RegisterFailure, L"VaRevEzedi.dll"},
        {Step::RegisterProductProgram, OnFailure::RegisterFailure, L"orvd.exe"},
        {Step::RegWriterX86, OnFailure::InstallFailure, L"RegWriter.exe"},
        {Step::RegWriterX64, OnFailure::InstallFailure, L"RegWriter_x64.exe"},
        {Step::DeleteLeftoverUninstaller, OnFailure::Ignore, L""},
    };
    for (const auto* table : {&InteractiveSteps(), &QuietSteps()}) {
        for (const Case& c : cases) {
            const StepEntry& entry = Entry(*table, c.step);
            EXPECT_EQ(entry.onFailure, c.onFailure) << std::string(c.name.begin(), c.name.end());
            EXPECT_EQ(entry.failureName, c.name);
        }
    }
}
