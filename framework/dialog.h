#pragma once
// CDialog: a dialog from a template of a resource module, shown modally, with the
// dispatch that pages and dialogs react to.
//
// Usage:
//
//   class CAskDlg : public framework::CDialog {
//   public:
//       CAskDlg() : CDialog(102) {                  // template 102 of the current
//           MapClick(1001, [this] { EndDialog(1001); });   // resource module
//           MapNotify(1020, NM_CLICK, [this](NMHDR&) { OpenLink(); return 0; });
//           MapTimer(1, [this] { NextSlide(); });
//           MapMessage(WM_USER + 101, [this](WPARAM, LPARAM) { EndDialog(1); return 0; });
//       }
//   protected:
//       bool OnInitDialog() override { SetTimer(1, 5000); return true; }
//   };
//   INT_PTR result = CAskDlg().DoModal();   // -1 at once when the template is missing
//
// - The template comes from the module given at construction, or when none is given
//   from the current resource module (resource_module.h) at the time of DoModal.
// - Handlers registered with Map* run first; what no map holds goes to the virtual
//   On* hooks. By default IDOK calls OnOK and IDCANCEL (also Esc and the close box)
//   OnCancel, which end the dialog with IDOK and IDCANCEL.
// - WM_DRAWITEM and WM_CTLCOLOR* of a control attached with AttachControl go to that
//   control's object first (see control.h); the dialog's hooks get them otherwise.
//   A WM_NOTIFY that no map holds goes to the sending control's object before OnNotify.
// - Call EndDialog, SetTimer and the other members on the dialog's own thread (from its
//   handlers); other threads post it messages.
// - The object is found from its window through the dialog's user data (DWLP_USER),
//   set at WM_INITDIALOG: no hooks, no thread-local state, so dialogs nest freely and
//   any thread may run its own.
// - A child panel is a CDialog created with CreateChild inside a parent window from a
//   template with the WS_CHILD style; it lives until DestroyWindow or its parent dies.
//   A panel object that dies first destroys its window, but as a base-class destructor
//   it can no longer reach the derived OnDestroy: call DestroyWindow first if it matters.

#include "framework/window.h"

#include <windows.h>

#include <functional>
#include <map>
#include <utility>

namespace framework {

class CControl;

class CDialog : public CWnd {
public:
    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<LRESULT(NMHDR&)>;
    using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;

    // `module` null: the current resource module when the dialog is created.
    explicit CDialog(UINT template_id, HWND owner = nullptr, HMODULE module = nullptr);
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally and returns the result it ended with; -1 when the
    // template cannot be found or the dialog cannot be created.
    INT_PTR DoModal();
    // Creates the dialog as a modeless child panel of `parent` (the template should
    // carry WS_CHILD), placed at `position` in the parent's client coordinates when
    // given. False when the template is missing or creation failed.
    bool CreateChild(HWND parent, const RECT* position = nullptr);
    void DestroyWindow();

    void EndDialog(INT_PTR result);

    UINT TemplateId() const { return template_id_; }
    HWND Owner() const { return owner_; }
    HWND Item(int id) const { return GetDlgItem(Hwnd(), id); }
    CWnd ItemWindow(int id) const { return CWnd(Item(id)); }
    std::wstring ItemText(int id) const { return ItemWindow(id).Text(); }
    void SetItemText(int id, const std::wstring& text) { ItemWindow(id).SetText(text); }

    bool SetTimer(UINT_PTR id, UINT interval_ms);
    void KillTimer(UINT_PTR id);

    // Subclasses the control `id` of this dialog with `control` (see control.h); the
    // control's object then gets its own messages and the reflected WM_DRAWITEM and
    // WM_CTLCOLOR*. Call it in OnInitDialog. False when there is no such control.
    bool AttachControl(CControl& control, int id);

    // The dialog object of a window created by this class, or null.
    static CDialog* FromHandle(HWND hwnd);
    // The template number of a window created by this class, or 0; safe from any thread.
    static UINT TemplateOf(HWND hwnd);
    // The message that makes any dialog of this class end with its wParam as result,
    // whatever its handlers do; the UI driver uses it to close a dialog a test left open.
    static UINT ForceEndMessage();

protected:
    // Message maps: a handler per control and notification code, per notification,
    // per timer, per message number. A later registration replaces an earlier one.
    void MapCommand(UINT id, UINT code, CommandHandler handler);
    void MapClick(UINT id, CommandHandler handler)
    {
        MapCommand(id, BN_CLICKED, std::move(handler));
    }
    void MapNotify(UINT id, UINT code, NotifyHandler handler);
    void MapTimer(UINT_PTR id, CommandHandler handler);
    void MapMessage(UINT message, MessageHandler handler);

    // Hooks. Return true from OnInitDialog to let the system set the focus.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A command no map holds; return true when handled.
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    // A notification no map holds; set `result` and return true when handled.
    virtual bool OnNotify(NMHDR& header, LRESULT& result);
    virtual void OnTimer(UINT_PTR id);
    // WM_CTLCOLOR* that no attached control answered: a brush, or null for the default.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);
    // Return true when the hook painted or erased.
    virtual bool OnPaint() { return false; }
    virtual bool OnEraseBackground(HDC) { return false; }
    // WM_DRAWITEM that no attached control drew; return true when drawn.
    virtual bool OnDrawItem(UINT id, DRAWITEMSTRUCT& item);
    virtual void OnSize(UINT type, int width, int height);
    // Return true when the palette was realised (WM_QUERYNEWPALETTE).
    virtual bool OnQueryNewPalette() { return false; }
    virtual void OnPaletteChanged(HWND changed_by);
    virtual void OnDestroy() {}
    // Any other message (user-defined ones included) that no map holds; set `result`
    // and return true when handled.
    virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    bool Dispatch(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    bool DispatchCommand(WPARAM wparam, LPARAM lparam);
    bool DispatchNotify(NMHDR& header, LRESULT& result);
    bool ReflectToControl(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                          LRESULT& result) const;
    HMODULE TemplateModule() const;
    void Detach();

    UINT template_id_;
    HWND owner_;
    HMODULE module_;
    bool modal_ = false;
    std::map<std::pair<UINT, UINT>, CommandHandler> commands_;
    std::map<std::pair<UINT, UINT>, NotifyHandler> notifications_;
    std::map<UINT_PTR, CommandHandler> timers_;
    std::map<UINT, MessageHandler> messages_;
};

} // namespace framework
