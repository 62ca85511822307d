#include "login/dialogs/login_dialog.h"

#include "framework/resource_module.h"
#include "login/dialogs/modal_dialog.h"

#include <windows.h>

namespace glimra::login {

namespace {

INT_PTR CALLBACK PlaceholderProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wparam) == IDOK ? IDOK : IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

int RunLoginDialog()
{
    return static_cast<int>(RunModalDialog(framework::CurrentResourceModule(), kLoginDialogTemplate,
                                           nullptr, PlaceholderProcedure, 0));
}

} // namespace glimra::login
