#pragma once

#include "framework/app.h"

namespace glimra::login {

// The library's application object; DllMain hands it control on attach and detach.
// Its start-up is the framework's: the hosting of ActiveX controls that the embedded
// web browser needs is set up by the browser host on the dialog's thread, since COM
// cannot be initialised from DllMain.
class CtloginApp : public framework::CWinApp {
public:
    CtloginApp() : CWinApp(nullptr) {}
};

} // namespace glimra::login
