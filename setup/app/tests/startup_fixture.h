#pragma once
// The start-up sequence run in the test process: isolated registry, a distribution
// folder with its Setup.ini, scripted system facts and run modes that record what
// reached them.

#include <gtest/gtest.h>

#include "setup/app/command_line.h"
#include "setup/app/installer_app.h"
#include "setup/app/probes.h"
#include "setup/app/run_modes.h"
#include "setup/app/setup_state.h"
#include "setup/app/system_facts.h"
#include "setup/app/tests/started_process.h"
#include "testing/support/registry_override.h"
#include "testing/support/scratch_folder.h"
#include "testing/support/win_process.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace glimra::setup::test {

// What a run mode saw when it was reached.
struct ReachedMode {
    std::string mode;
    std::wstring installDir;
    int launchAfterFinish = -1;
    bool mutexHeld = false;
    const COrvdInstallerApp* app = nullptr;
    CommandLineArgs args;
};

inline std::vector<ReachedMode>& Reached()
{
    static std::vector<ReachedMode> reached;
    return reached;
}

inline bool SingleInstanceMutexExists()
{
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"DWGGlimra");
    if (mutex)
        CloseHandle(mutex);
    return mutex != nullptr;
}

inline void Reach(const char* mode, const COrvdInstallerApp* app = nullptr)
{
    ReachedMode reached;
    reached.mode = mode;
    reached.installDir = TheSetupState().installDir;
    reached.launchAfterFinish = TheSetupState().launchAfterFinish;
    reached.mutexHeld = SingleInstanceMutexExists();
    reached.app = app;
    if (app)
        reached.args = app->commandLineArgs;
    Reached().push_back(reached);
}

inline const RunModeEntries kRecordingRunModes{
    [] {
        Reach("quiet uninstall");
        return true;
    },
    [](COrvdInstallerApp& app) {
        Reach("quiet install", &app);
        return ExitCode::Success;
    },
    [] {
        Reach("maintenance");
        return ExitCode::Success;
    },
    [] {
        Reach("wizard");
        return ExitCode::Success;
    },
};

// The idle helper program: beside this test program, or one folder up.
inline std::wstring IdleProgram()
{
    std::wstring here = glimra::testing::ProgramFolder() + L"\\setup_test_idle.exe";
    if (GetFileAttributesW(here.c_str()) != INVALID_FILE_ATTRIBUTES)
        return here;
    std::wstring folder = glimra::testing::ProgramFolder();
    return folder.substr(0, folder.rfind(L'\\')) + L"\\setup_test_idle.exe";
}

class StartupTest : public ::testing::Test {
protected:
    static constexpr const char* kDefaultIni =
        "[SETUP]\r\nWOW64=0\r\n[RES]\r\nLANGUAGE=zh_cn\r\n"
        "[x64]\r\nSETUP_DEST=D:\\From Ini\\\r\n[x86]\r\nSETUP_DEST=D:\\From Ini x86\r\n";
    static constexpr const wchar_t* kUninstallKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DWGGlimra_zh_cn";

    void SetUp() override
    {
        TheSetupState() = SetupState();
        Reached().clear();
        ASSERT_TRUE(registry_.Active());
        ASSERT_FALSE(SingleInstanceMutexExists()) << "another start-up holds the mutex";
        RegisterNetFramework();
        WriteIni(kDefaultIni);
    }

    void TearDown() override
    {
        if (heldMutex_)
            CloseHandle(heldMutex_);
    }

    void RegisterNetFramework()
    {
        ASSERT_TRUE(glimra::testing::SetRegistryString(
            HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full",
            L"Version", L"4.8.04084"));
    }

    void WriteIni(const std::string& content)
    {
        ASSERT_TRUE(dist_.WriteFile(L"Setup.ini", content));
    }

    void RemoveIni() { DeleteFileW((dist_.Path() + L"\\Setup.ini").c_str()); }

    void RegisterInstalled(const wchar_t* platform, const wchar_t* location = L"E:\\Installed")
    {
        ASSERT_TRUE(glimra::testing::SetRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey,
                                                       L"Platfrom", platform));
        ASSERT_TRUE(glimra::testing::SetRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey,
                                                       L"InstallLocation", location));
    }

    // Another copy of the installer holds the mutex.
    void HoldMutex() { heldMutex_ = CreateMutexW(nullptr, TRUE, L"DWGGlimra"); }
    void ReleaseHeldMutex()
    {
        if (heldMutex_)
            CloseHandle(heldMutex_);
        heldMutex_ = nullptr;
    }

    // The product program runs, until the test ends.
    void StartProduct()
    {
        ASSERT_TRUE(productFolder_.CopyIn(IdleProgram(), L"orvd.exe"));
        product_ = std::make_unique<StartedProcess>(productFolder_.Path() + L"\\orvd.exe");
        ASSERT_NE(product_->Id(), 0u);
        for (int i = 0; i < 100 && FindRunningProduct() == 0; ++i)
            Sleep(50);
        ASSERT_EQ(FindRunningProduct(), product_->Id());
    }

    std::wstring ProgramPath() const { return dist_.Path() + L"\\Setup.exe"; }

    ScriptedSystemFacts facts_;
    glimra::testing::RegistryOverride registry_;
    glimra::testing::ScratchFolder dist_;
    glimra::testing::ScratchFolder productFolder_;
    std::unique_ptr<StartedProcess> product_;
    HANDLE heldMutex_ = nullptr;
};

} // namespace glimra::setup::test
