#pragma once
// A modal dialog from a template of a resource module, with the plain Win32 call.

#include <windows.h>

namespace glimra::login {

// The dialog's result, or -1 when the module is null or the dialog cannot be created.
INT_PTR RunModalDialog(HMODULE module, UINT template_id, HWND owner, DLGPROC procedure,
                       LPARAM parameter);

} // namespace glimra::login
