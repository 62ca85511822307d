#pragma once
// The one way every part of both deliverables shows a message box, so that the
// behaviour is the same everywhere and tests can find and answer the boxes.

#include <windows.h>

#include <string>

namespace framework {

// Shows a message box; `owner` may be null. Returns the button chosen (IDOK, IDYES...).
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style);

} // namespace framework
