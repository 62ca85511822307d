#include "framework/window.h"

#include <vector>

namespace framework {

std::wstring CWnd::Text() const
{
    if (hwnd_ == nullptr)
        return std::wstring();
    int length = GetWindowTextLengthW(hwnd_);
    if (length <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextW(hwnd_, buffer.data(), length + 1);
    return std::wstring(buffer.data(), copied > 0 ? copied : 0);
}

void CWnd::SetText(const std::wstring& text)
{
    SetWindowTextW(hwnd_, text.c_str());
}

bool CWnd::IsEnabled() const
{
    return hwnd_ != nullptr && IsWindowEnabled(hwnd_) != FALSE;
}

void CWnd::Enable(bool enabled)
{
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

bool CWnd::IsVisible() const
{
    return hwnd_ != nullptr && IsWindowVisible(hwnd_) != FALSE;
}

void CWnd::Show(bool visible)
{
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

int CWnd::ControlId() const
{
    return GetDlgCtrlID(hwnd_);
}

RECT CWnd::Position() const
{
    RECT rect{};
    if (!GetWindowRect(hwnd_, &rect))
        return RECT{};
    HWND parent = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd_) : nullptr;
    if (parent != nullptr)
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CWnd::Move(const RECT& position, bool repaint)
{
    MoveWindow(hwnd_, position.left, position.top, position.right - position.left,
               position.bottom - position.top, repaint ? TRUE : FALSE);
}

RECT CWnd::ClientRect() const
{
    RECT rect{};
    GetClientRect(hwnd_, &rect);
    return rect;
}

void CWnd::Invalidate(bool erase)
{
    InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE);
}

void CWnd::SetIcon(HICON icon, bool big)
{
    Send(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

double DisplayScale()
{
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return 1.0;
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

LRESULT CWnd::Send(UINT message, WPARAM wparam, LPARAM lparam) const
{
    return SendMessageW(hwnd_, message, wparam, lparam);
}

bool CWnd::Post(UINT message, WPARAM wparam, LPARAM lparam) const
{
    return PostMessageW(hwnd_, message, wparam, lparam) != FALSE;
}

} // namespace framework
