#include "framework/control.h"

#include <commctrl.h>

namespace framework {

namespace {

constexpr UINT_PTR kSubclassId = 0x46574354; // one subclass per control object

// A parent's message handed to a control, with the control's answer.
struct Reflected {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    LRESULT result;
};

UINT ReflectMessage()
{
    static const UINT message = RegisterWindowMessageW(L"framework.CControl.Reflect");
    return message;
}

} // namespace

bool CControl::Reflect(HWND control, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result)
{
    if (control == nullptr)
        return false;
    Reflected reflected{message, wparam, lparam, 0};
    // A window without our subclass leaves the message to DefWindowProc, which answers 0.
    if (SendMessageW(control, ReflectMessage(), 0, reinterpret_cast<LPARAM>(&reflected)) == 0)
        return false;
    result = reflected.result;
    return true;
}

CControl::~CControl()
{
    Unsubclass();
}

bool CControl::Subclass(HWND hwnd)
{
    if (Hwnd() != nullptr || hwnd == nullptr)
        return false;
    SetHwnd(hwnd);
    PreSubclass();
    if (!SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        SetHwnd(nullptr);
        return false;
    }
    return true;
}

void CControl::Unsubclass()
{
    if (Hwnd() == nullptr)
        return;
    RemoveWindowSubclass(Hwnd(), SubclassProc, kSubclassId);
    SetHwnd(nullptr);
}

bool CControl::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT CControl::Default(UINT message, WPARAM wparam, LPARAM lparam)
{
    return DefSubclassProc(Hwnd(), message, wparam, lparam);
}

void CControl::ModifyStyle(DWORD remove, DWORD add)
{
    LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
}

bool CControl::HandleReflected(void* message)
{
    auto& reflected = *static_cast<Reflected*>(message);
    switch (reflected.message) {
    case WM_DRAWITEM:
        return OnReflectedDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(reflected.lparam));
    case WM_NOTIFY:
        return OnReflectedNotify(*reinterpret_cast<NMHDR*>(reflected.lparam), reflected.result);
    default:
        if (reflected.message >= WM_CTLCOLORMSGBOX && reflected.message <= WM_CTLCOLORSTATIC) {
            HBRUSH brush =
                OnReflectedCtlColor(reinterpret_cast<HDC>(reflected.wparam), reflected.message);
            reflected.result = reinterpret_cast<LRESULT>(brush);
            return brush != nullptr;
        }
        return false;
    }
}

LRESULT CALLBACK CControl::SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR, DWORD_PTR reference)
{
    auto* self = reinterpret_cast<CControl*>(reference);
    if (message == WM_NCDESTROY) {
        LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
        RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        self->SetHwnd(nullptr);
        return result;
    }
    if (message == ReflectMessage())
        return self->HandleReflected(reinterpret_cast<Reflected*>(lparam)) ? 1 : 0;
    LRESULT result = 0;
    if (self->OnMessage(message, wparam, lparam, result))
        return result;
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

} // namespace framework
