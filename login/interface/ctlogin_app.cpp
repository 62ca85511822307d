#include "login/interface/ctlogin_app.h"

namespace glimra::login {

bool CtloginApp::InitInstance()
{
    return CWinApp::InitInstance();
}

} // namespace glimra::login
