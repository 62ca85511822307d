// Entry point of tlogin.dll: the one application object of the library.
#include "login/interface/ctlogin_app.h"

#include <windows.h>

namespace {

glimra::login::CtloginApp theApp;

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        return theApp.AttachLibrary(instance) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        theApp.DetachLibrary();
        return TRUE;
    default:
        return TRUE;
    }
}
