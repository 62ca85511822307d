#pragma once
// The login dialog, template 3001 of the resource module. For now a placeholder with
// two buttons: OK ends it with 1, Cancel (or closing it) with 2.

namespace glimra::login {

constexpr unsigned kLoginDialogTemplate = 3001;

// Runs the dialog modally; -1 when it cannot be created.
int RunLoginDialog();

} // namespace glimra::login
