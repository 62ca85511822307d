#pragma once
// The common controls the dialogs use, as CControl classes: attach one to a control
// of a template with CDialog::AttachControl, then use its members; derive from one
// to make the control draw itself or handle its own messages.

#include "framework/control.h"
#include "framework/handles.h"

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <string>

namespace framework {

class CEdit : public CControl {
public:
    // At most `units` code units can be typed or pasted.
    void LimitText(int units) { Send(EM_SETLIMITTEXT, units); }
    void SetSel(int start, int end) { Send(EM_SETSEL, start, end); }
    void ReplaceSel(const std::wstring& text);
    void SetReadOnly(bool read_only) { Send(EM_SETREADONLY, read_only ? TRUE : FALSE); }
};

class CButton : public CControl {
public:
    // BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE.
    int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
    void SetCheck(int state) { Send(BM_SETCHECK, state); }
    // Shows `icon` on the button; the button does not own it.
    void SetIcon(HICON icon);
};

// An owner-drawn button showing one of four bitmaps by its state; it owns them.
// Without a normal bitmap it draws nothing; a missing state bitmap falls back to the
// normal one. Bitmaps are copied unscaled to the button's top-left corner.
class CBitmapButton : public CButton {
public:
    enum State { kNormal, kSelected, kFocus, kDisabled, kStateCount };

    void SetBitmap(State state, HBITMAP bitmap) { bitmaps_[state].Reset(bitmap); }
    HBITMAP Bitmap(State state) const { return bitmaps_[state].Get(); }
    void ReleaseBitmaps();

    bool OnReflectedDrawItem(DRAWITEMSTRUCT& item) override;

protected:
    void PreSubclass() override { ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW); }
    // The bitmap for an item state (ODS_SELECTED, ODS_FOCUS, ODS_DISABLED), or null.
    virtual HBITMAP ChooseBitmap(UINT item_state) const;

private:
    GdiObject<HBITMAP> bitmaps_[kStateCount];
};

class CStatic : public CControl {
public:
    // The static shows the icon or bitmap; it does not own it.
    void SetIcon(HICON icon);
    void SetBitmap(HBITMAP bitmap);
};

class CProgressCtrl : public CControl {
public:
    void SetRange(int lower, int upper) { Send(PBM_SETRANGE32, lower, upper); }
    void GetRange(int& lower, int& upper) const;
    int SetPos(int position) { return static_cast<int>(Send(PBM_SETPOS, position)); }
    int GetPos() const { return static_cast<int>(Send(PBM_GETPOS)); }
    void SetStep(int step) { Send(PBM_SETSTEP, step); }
    int StepIt() { return static_cast<int>(Send(PBM_STEPIT)); }
};

class CListCtrl : public CControl {
public:
    // Returns the new column's index, or -1.
    int InsertColumn(int index, const std::wstring& heading, int width, int format = LVCFMT_LEFT);
    // Returns the new item's index, or -1.
    int InsertItem(int index, const std::wstring& text, LPARAM data = 0);
    bool SetItemText(int item, int column, const std::wstring& text);
    std::wstring GetItemText(int item, int column) const;
    LPARAM GetItemData(int item) const;
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    bool DeleteItem(int item) { return Send(LVM_DELETEITEM, item) != FALSE; }
    void DeleteAllItems() { Send(LVM_DELETEALLITEMS); }
    void SetExtendedStyle(DWORD style) { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
    // The first selected item after `after` (-1: from the start), or -1.
    int GetNextSelected(int after = -1) const;
};

// The link control (SysLink): text with <a> links that report NM_CLICK.
class CLinkCtrl : public CControl {
public:
    // Sets the state bits in `mask` of link `index` (LIS_FOCUSED, LIS_ENABLED,
    // LIS_DEFAULTCOLORS...) to those in `state`.
    bool SetItemState(int index, UINT state, UINT mask);
    UINT GetItemState(int index, UINT mask) const;
    std::wstring GetItemUrl(int index) const;
};

// The rich edit control 2.0 (class RICHEDIT_CLASS, "RichEdit20W").
class CRichEditCtrl : public CControl {
public:
    // Loads the system's rich edit library from the system folder, once per process;
    // templates with the class need it before they are created. False when missing.
    static bool LoadLibrary();

    // Replaces the content with the RTF document `rtf`; false when nothing was read.
    bool StreamInRtf(const std::string& rtf);
    void SetBackgroundColor(COLORREF colour) { Send(EM_SETBKGNDCOLOR, 0, colour); }
    int GetTextLength() const { return static_cast<int>(Send(WM_GETTEXTLENGTH)); }
};

} // namespace framework
