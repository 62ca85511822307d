#pragma once
// What Tlogin does: switch the resource module to tloginres.dll, forget the previous
// user, run the login dialog modally, switch back.

namespace glimra::login {

// The file name of the resource library, loaded from the folder of this library.
extern const wchar_t kResourceLibraryName[];

// The dialog's result: 1 signed in, 2 closed, -1 the dialog could not be created.
int RunLoginSession();

} // namespace glimra::login
