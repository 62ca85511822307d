#include "framework/dialog.h"

#include "framework/control.h"
#include "framework/controls.h"
#include "framework/resource_module.h"

#include <commctrl.h>

namespace framework {

namespace {

// Window property with the template number, readable from any thread without a
// message (the UI driver finds dialogs by it).
constexpr wchar_t kTemplateProperty[] = L"framework.DialogTemplate";

// The control classes that templates name (common controls, rich edit 2.0) must be
// registered before such a template is created.
void RegisterCommonControls()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_LINK_CLASS |
                                                            ICC_LISTVIEW_CLASSES |
                                                            ICC_PROGRESS_CLASS};
        bool registered = InitCommonControlsEx(&controls) != FALSE;
        CRichEditCtrl::LoadLibrary();
        return registered;
    }();
    (void)done;
}

bool ResultIsReturnValue(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

bool IsCtlColor(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

CDialog::CDialog(UINT template_id, HWND owner, HMODULE module)
    : template_id_(template_id), owner_(owner), module_(module)
{
}

CDialog::~CDialog()
{
    if (Hwnd() != nullptr && !modal_)
        ::DestroyWindow(Hwnd());
    Detach();
}

HMODULE CDialog::TemplateModule() const
{
    return module_ != nullptr ? module_ : CurrentResourceModule();
}

INT_PTR CDialog::DoModal()
{
    HMODULE module = TemplateModule();
    if (module == nullptr ||
        FindResourceW(module, MAKEINTRESOURCEW(template_id_), MAKEINTRESOURCEW(5)) == nullptr)
        return -1;
    RegisterCommonControls();
    modal_ = true;
    INT_PTR result = DialogBoxParamW(module, MAKEINTRESOURCEW(template_id_), owner_, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

bool CDialog::CreateChild(HWND parent, const RECT* position)
{
    HMODULE module = TemplateModule();
    if (Hwnd() != nullptr || module == nullptr ||
        FindResourceW(module, MAKEINTRESOURCEW(template_id_), MAKEINTRESOURCEW(5)) == nullptr)
        return false;
    RegisterCommonControls();
    owner_ = parent;
    HWND created = CreateDialogParamW(module, MAKEINTRESOURCEW(template_id_), parent, DialogProc,
                                      reinterpret_cast<LPARAM>(this));
    if (created == nullptr)
        return false;
    if (position != nullptr)
        Move(*position);
    ShowWindow(created, SW_SHOWNA);
    return true;
}

void CDialog::DestroyWindow()
{
    if (Hwnd() != nullptr)
        ::DestroyWindow(Hwnd());
}

void CDialog::EndDialog(INT_PTR result)
{
    if (Hwnd() == nullptr)
        return;
    if (modal_)
        ::EndDialog(Hwnd(), result);
    else
        ::DestroyWindow(Hwnd());
}

bool CDialog::SetTimer(UINT_PTR id, UINT interval_ms)
{
    return ::SetTimer(Hwnd(), id, interval_ms, nullptr) != 0;
}

void CDialog::KillTimer(UINT_PTR id)
{
    ::KillTimer(Hwnd(), id);
}

bool CDialog::AttachControl(CControl& control, int id)
{
    HWND item = Item(id);
    return item != nullptr && control.Subclass(item);
}

bool CDialog::ReflectToControl(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                               LRESULT& result) const
{
    // Only to this dialog's own controls.
    if (control == nullptr || control == Hwnd() || GetParent(control) != Hwnd())
        return false;
    return CControl::Reflect(control, message, wparam, lparam, result);
}

CDialog* CDialog::FromHandle(HWND hwnd)
{
    if (hwnd == nullptr ||
        GetWindowLongPtrW(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc))
        return nullptr;
    return reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
}

UINT CDialog::TemplateOf(HWND hwnd)
{
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, kTemplateProperty)));
}

UINT CDialog::ForceEndMessage()
{
    static const UINT message = RegisterWindowMessageW(L"framework.CDialog.ForceEnd");
    return message;
}

void CDialog::MapCommand(UINT id, UINT code, CommandHandler handler)
{
    commands_[{id, code}] = std::move(handler);
}

void CDialog::MapNotify(UINT id, UINT code, NotifyHandler handler)
{
    notifications_[{id, code}] = std::move(handler);
}

void CDialog::MapTimer(UINT_PTR id, CommandHandler handler)
{
    timers_[id] = std::move(handler);
}

void CDialog::MapMessage(UINT message, MessageHandler handler)
{
    messages_[message] = std::move(handler);
}

bool CDialog::OnCommand(UINT id, UINT code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::OnNotify(NMHDR&, LRESULT&)
{
    return false;
}

void CDialog::OnTimer(UINT_PTR) {}

HBRUSH CDialog::OnCtlColor(HDC, HWND, UINT)
{
    return nullptr;
}

bool CDialog::OnDrawItem(UINT, DRAWITEMSTRUCT&)
{
    return false;
}

void CDialog::OnSize(UINT, int, int) {}

void CDialog::OnPaletteChanged(HWND) {}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool CDialog::DispatchCommand(WPARAM wparam, LPARAM lparam)
{
    UINT id = LOWORD(wparam);
    UINT code = HIWORD(wparam);
    auto found = commands_.find({id, code});
    if (found != commands_.end()) {
        // A copy: the handler may replace its own map entry.
        CommandHandler handler = found->second;
        handler();
        return true;
    }
    return OnCommand(id, code, reinterpret_cast<HWND>(lparam));
}

bool CDialog::DispatchNotify(NMHDR& header, LRESULT& result)
{
    auto found = notifications_.find({static_cast<UINT>(header.idFrom), header.code});
    if (found != notifications_.end()) {
        NotifyHandler handler = found->second;
        result = handler(header);
        return true;
    }
    if (ReflectToControl(header.hwndFrom, WM_NOTIFY, header.idFrom,
                         reinterpret_cast<LPARAM>(&header), result))
        return true;
    return OnNotify(header, result);
}

bool CDialog::Dispatch(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result)
{
    if (message == ForceEndMessage()) {
        ::EndDialog(Hwnd(), static_cast<INT_PTR>(wparam));
        if (!modal_)
            ::DestroyWindow(Hwnd());
        return true;
    }
    if (IsCtlColor(message)) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        HWND control_hwnd = reinterpret_cast<HWND>(lparam);
        if (ReflectToControl(control_hwnd, message, wparam, lparam, result))
            return true;
        HBRUSH brush = OnCtlColor(dc, control_hwnd, message);
        result = reinterpret_cast<LRESULT>(brush);
        return brush != nullptr;
    }
    switch (message) {
    case WM_INITDIALOG:
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    case WM_COMMAND:
        return DispatchCommand(wparam, lparam);
    case WM_NOTIFY:
        return DispatchNotify(*reinterpret_cast<NMHDR*>(lparam), result);
    case WM_TIMER: {
        auto found = timers_.find(wparam);
        if (found != timers_.end()) {
            CommandHandler handler = found->second;
            handler();
        } else {
            OnTimer(wparam);
        }
        return true;
    }
    case WM_PAINT:
        return OnPaint();
    case WM_ERASEBKGND:
        result = TRUE;
        return OnEraseBackground(reinterpret_cast<HDC>(wparam));
    case WM_DRAWITEM: {
        auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
        bool drawn = ReflectToControl(item.hwndItem, message, wparam, lparam, result) ||
                     OnDrawItem(static_cast<UINT>(wparam), item);
        result = drawn ? TRUE : FALSE;
        return drawn;
    }
    case WM_SIZE:
        OnSize(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam));
        return false;
    case WM_QUERYNEWPALETTE:
        result = OnQueryNewPalette() ? TRUE : FALSE;
        return result != FALSE;
    case WM_PALETTECHANGED:
        OnPaletteChanged(reinterpret_cast<HWND>(wparam));
        return false;
    case WM_DESTROY:
        OnDestroy();
        return false;
    default:
        break;
    }
    auto found = messages_.find(message);
    if (found != messages_.end()) {
        MessageHandler handler = found->second;
        result = handler(wparam, lparam);
        return true;
    }
    return OnMessage(message, wparam, lparam, result);
}

void CDialog::Detach()
{
    SetHwnd(nullptr);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lparam);
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        SetPropW(hwnd, kTemplateProperty,
                 reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(self->template_id_)));
        self->SetHwnd(hwnd);
    } else {
        self = FromHandle(hwnd);
    }
    if (self == nullptr)
        return FALSE;
    LRESULT result = 0;
    bool handled = self->Dispatch(message, wparam, lparam, result);
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kTemplateProperty);
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->Detach();
        return FALSE;
    }
    if (!handled)
        return FALSE;
    if (ResultIsReturnValue(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace framework
