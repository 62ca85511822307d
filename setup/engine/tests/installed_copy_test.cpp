// The product folder's copy of Setup: recognised by its install.log without an Msi
// folder, and asking before it uninstalls.
#include "setup/engine/tests/engine_fixture.h"

#include "setup/engine/installed_copy.h"
#include "testing/uidriver/ui_driver.h"

#include <string>
#include <vector>

using namespace glimra::setup;
using glimra::setup::testing::EngineTest;
using glimra::testing::SeenBox;
using glimra::testing::UiDriver;

namespace {

class InstalledCopy : public EngineTest {};

const SeenBox kQuestion{L"DWGGlimra", L"\nAre you sure you want to uninstall this product?\n", 0,
                        MB_YESNO};

} // namespace

TEST_F(InstalledCopy, IsTheFolderWithALogAndNoPackages)
{
    struct Case {
        const char* what;
        bool log;
        bool msi;
        bool installedCopy;
    };
    for (const Case& c :
         std::vector<Case>{{"product folder", true, false, true},
                           {"distribution after a failed install", true, true, false},
                           {"distribution", false, true, false},
                           {"empty folder", false, false, false}}) {
        SCOPED_TRACE(c.what);
        glimra::testing::ScratchFolder folder;
        if (c.log) {
            ASSERT_TRUE(folder.WriteFile(L"install.log", "\r\r\nx"));
        }
        if (c.msi) {
            ASSERT_TRUE(CreateDirectoryW((folder.Path() + L"\\Msi").c_str(), nullptr));
        }
        EXPECT_EQ(IsInstalledCopy(folder.Path()), c.installedCopy);
    }
}

TEST_F(InstalledCopy, DecliningRemovesNothing)
{
    State().maintenanceAction = 0;
    UiDriver ui;
    ui.Script([](UiDriver& driver) { driver.AnswerNextMessageBox(IDNO); });
    EXPECT_EQ(ToInt(RunInstalledCopyUninstall()), ToInt(ExitCode::Cancelled));
    ui.Join();
    EXPECT_EQ(ui.MessageBoxesSeen(), std::vector<SeenBox>{kQuestion});
    EXPECT_EQ(State().maintenanceAction, 3);
    EXPECT_TRUE(journal_.Records().empty());
}

TEST_F(InstalledCopy, FailedUninstallIsReported)
{
    // A product folder without the uninstaller program: the uninstall cannot start it.
    UiDriver ui;
    ui.Script([](UiDriver& driver) {
        driver.AnswerNextMessageBox(IDYES);
        driver.AnswerNextMessageBox(IDOK);
    });
    EXPECT_EQ(ToInt(RunInstalledCopyUninstall()), ToInt(ExitCode::Failed));
    ui.Join();
    EXPECT_EQ(ui.MessageBoxesSeen(),
              (std::vector<SeenBox>{kQuestion, {L"DWGGlimra", L"Failed to uninstall!", 0, MB_OK}}));
}
