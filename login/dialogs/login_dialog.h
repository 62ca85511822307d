#pragma once
// The login dialog, template 3001 of the resource module. For now a placeholder with
// two buttons: OK ends it with 1, Cancel (or closing it) with 2.

#include "framework/dialog.h"

namespace glimra::login {

constexpr unsigned kLoginDialogTemplate = 3001;

class CLoginDlg : public framework::CDialog {
public:
    CLoginDlg() : CDialog(kLoginDialogTemplate) {}
};

} // namespace glimra::login
