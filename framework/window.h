#pragma once
// CWnd: a thin, non-owning handle to a window with the everyday accessors (text,
// enabled and visible state, position). Dialogs and controls derive from it; it never
// destroys the window it refers to.

#include <windows.h>

#include <string>

namespace framework {

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : hwnd_(hwnd) {}
    virtual ~CWnd() = default;

    HWND Hwnd() const { return hwnd_; }
    bool IsWindow() const { return hwnd_ != nullptr && ::IsWindow(hwnd_) != FALSE; }

    std::wstring Text() const;
    void SetText(const std::wstring& text);

    bool IsEnabled() const;
    void Enable(bool enabled);
    // True when the window and every parent are visible.
    bool IsVisible() const;
    void Show(bool visible);

    int ControlId() const;
    // The window's rectangle in its parent's client coordinates (screen coordinates
    // for a top-level window).
    RECT Position() const;
    void Move(const RECT& position, bool repaint = true);
    RECT ClientRect() const;
    void Invalidate(bool erase = true);

    // Sets the window's big or small icon; the window does not own it.
    void SetIcon(HICON icon, bool big);

    LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
    bool Post(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;

protected:
    void SetHwnd(HWND hwnd) { hwnd_ = hwnd; }

private:
    HWND hwnd_ = nullptr;
};

// The display scale: the screen's DPI divided by 96 (1 when it cannot be read).
double DisplayScale();

} // namespace framework
