#include "setup/engine/failure_reports.h"

#include "framework/message_box.h"
#include "framework/text.h"
#include "setup/app/setup_state.h"
#include "setup/app/setup_texts.h"
#include "setup/app/text_catalogue.h"

#include <windows.h>

namespace glimra::setup {

namespace {

// Error icon, system-modal, brought to the foreground, topmost: 0x51010.
constexpr UINT kFailureStyle = MB_ICONERROR | MB_SYSTEMMODAL | MB_SETFOREGROUND | MB_TOPMOST;
static_assert(kFailureStyle == 0x51010);

void ReportFailure(const std::wstring& name, const std::wstring& reason)
{
    framework::ShowMessageBox(nullptr,
                              framework::FormatText(L"%s,%s", name.c_str(), reason.c_str()),
                              TheSetupState().productName, kFailureStyle);
}

} // namespace

void ReportInstallFailure(const std::wstring& name)
{
    ReportFailure(name, LoadResourceText(kTextInstallFailed));
}

void ReportRegisterFailure(const std::wstring& name)
{
    ReportFailure(name, LoadResourceText(kTextRegisterFailed));
}

} // namespace glimra::setup
