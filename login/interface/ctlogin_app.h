#pragma once

#include "framework/app.h"

namespace glimra::login {

// The library's application object; DllMain hands it control on attach and detach.
class CtloginApp : public framework::CWinApp {
public:
    CtloginApp() : CWinApp(nullptr) {}
    bool InitInstance() override;
};

} // namespace glimra::login
