#include <gtest/gtest.h>

#include "framework/app.h"
#include "framework/resource_module.h"
#include "test_library.h"

namespace {

// Runs the way a dialog-based program does: work in InitInstance, then exit.
class RecordingApp : public framework::CWinApp {
public:
    bool run_loop = false;
    bool exited = false;
    HMODULE previous_module = nullptr;

    bool InitInstance() override
    {
        previous_module = ResourceModule();
        SetResourceModule(TestLibrary());
        if (!run_loop) {
            SetExitCode(3);
            return false;
        }
        PostQuitMessage(5);
        return true;
    }
    int ExitInstance() override
    {
        SetResourceModule(previous_module);
        exited = true;
        return CWinApp::ExitInstance();
    }
};

} // namespace

TEST(WinApp, ADialogBasedProgramEndsAfterItsStartHookWithItsExitCode)
{
    RecordingApp app;
    HMODULE own = framework::CurrentResourceModule();
    EXPECT_EQ(app.RunProgram(GetModuleHandleW(nullptr), L"quiet=1 dir=C:\\x"), 3);
    EXPECT_TRUE(app.exited);
    EXPECT_EQ(app.CommandLine(), L"quiet=1 dir=C:\\x");
    EXPECT_EQ(framework::CurrentResourceModule(), own) << "the exit hook put it back";
}

TEST(WinApp, AProgramWithAMessageLoopExitsWithTheQuitCode)
{
    RecordingApp app;
    app.run_loop = true;
    EXPECT_EQ(app.RunProgram(GetModuleHandleW(nullptr), nullptr), 5);
    EXPECT_TRUE(app.exited);
    EXPECT_EQ(app.CommandLine(), L"");
}
