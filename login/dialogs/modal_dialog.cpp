#include "login/dialogs/modal_dialog.h"

namespace glimra::login {

INT_PTR RunModalDialog(HMODULE module, UINT template_id, HWND owner, DLGPROC procedure,
                       LPARAM parameter)
{
    // A null module would make the system look for the template in the host program.
    if (module == nullptr)
        return -1;
    return DialogBoxParamW(module, MAKEINTRESOURCEW(template_id), owner, procedure, parameter);
}

} // namespace glimra::login
