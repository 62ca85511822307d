#include "framework/control.h"

#include <commctrl.h>

namespace framework {

namespace {

constexpr UINT_PTR kSubclassId = 0x46574354; // one subclass per control object

} // namespace

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
    LRESULT result = 0;
    if (self->OnMessage(message, wparam, lparam, result))
        return result;
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

} // namespace framework
