// Entry point of the installer: the application object runs the whole installer from
// its start-up hook.
#include "setup/app/installer_app.h"
#include "setup/app/system_facts.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    // Libraries loaded by name come from the program's folder and the system folder
    // only, never from the current folder or PATH.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    static glimra::setup::COrvdInstallerApp app(glimra::setup::RealSystemFacts());
    return app.RunProgram(instance, commandLine);
}
