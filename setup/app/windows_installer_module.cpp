#include "setup/app/windows_installer_module.h"

namespace glimra::setup {

namespace {
HMODULE& Kept()
{
    static HMODULE module = nullptr;
    return module;
}
} // namespace

void KeepWindowsInstallerModule(HMODULE module)
{
    Kept() = module;
}

HMODULE WindowsInstallerModule()
{
    return Kept();
}

void ReleaseWindowsInstallerModule()
{
    if (Kept())
        FreeLibrary(Kept());
    Kept() = nullptr;
}

} // namespace glimra::setup
