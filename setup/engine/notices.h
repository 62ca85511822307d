#pragma once
// The notices the runners post to the window that follows the installation.

#include <windows.h>

namespace glimra::setup {

constexpr UINT kStepBeginsNotice = WM_USER + 103; // 1127
constexpr UINT kStepEndedNotice = WM_USER + 104;  // 1128

// Posts `notice` with both parameters 0; nothing when there is no window.
inline void PostNotice(HWND window, UINT notice)
{
    if (window != nullptr)
        PostMessageW(window, notice, 0, 0);
}

} // namespace glimra::setup
