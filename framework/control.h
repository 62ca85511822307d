#pragma once
// CControl: a class attached to a control of a dialog by subclassing, so that the
// control can draw itself, track the mouse and handle its own messages.
//
//   class CRedButton : public framework::CControl {
//   protected:
//       bool OnReflectedDrawItem(DRAWITEMSTRUCT& item) override { ...; return true; }
//       bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override;
//   };
//   // in the dialog's OnInitDialog:  AttachControl(red_button_, 1001);
//
// The subclass is the system's own (SetWindowSubclass) with the object as its
// reference data. The owning dialog hands the control the WM_DRAWITEM, WM_CTLCOLOR*
// and WM_NOTIFY it sends to its parent ("reflection"), before its own hooks see them.
// The subclass is removed when the control's window is destroyed or the object dies.

#include "framework/window.h"

#include <windows.h>

namespace framework {

class CControl : public CWnd {
public:
    CControl() = default;
    ~CControl() override;
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    // Subclasses `hwnd`; PreSubclass runs first. False when already attached or failed.
    bool Subclass(HWND hwnd);
    void Unsubclass();

    // Hands a WM_DRAWITEM, WM_CTLCOLOR* or WM_NOTIFY that `control`'s parent got to the
    // control's object, when it has one; true with `result` set when that handled it.
    // The message goes to the control's own subclass, so an object that is gone (and
    // its subclass with it) is never reached.
    static bool Reflect(HWND control, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

    // Reflected from the parent; return true (or a brush) when handled.
    virtual bool OnReflectedDrawItem(DRAWITEMSTRUCT&) { return false; }
    virtual HBRUSH OnReflectedCtlColor(HDC, UINT /*message*/) { return nullptr; }
    virtual bool OnReflectedNotify(NMHDR&, LRESULT&) { return false; }

protected:
    // Before the subclass is installed, e.g. to add BS_OWNERDRAW to the style.
    virtual void PreSubclass() {}
    // The control's own messages; return true with `result` set when handled, false
    // for the control's default handling.
    virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    // The control's default handling of a message (for use inside OnMessage).
    LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

    // Adds and removes window style bits.
    void ModifyStyle(DWORD remove, DWORD add);

private:
    bool HandleReflected(void* message);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR reference);
};

} // namespace framework
