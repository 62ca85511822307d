#include "framework/controls.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace framework {

void CEdit::ReplaceSel(const std::wstring& text)
{
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void CButton::SetIcon(HICON icon)
{
    Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void CBitmapButton::ReleaseBitmaps()
{
    for (auto& bitmap : bitmaps_)
        bitmap.Reset();
}

HBITMAP CBitmapButton::ChooseBitmap(UINT item_state) const
{
    HBITMAP chosen = nullptr;
    if (item_state & ODS_SELECTED)
        chosen = Bitmap(kSelected);
    else if (item_state & ODS_FOCUS)
        chosen = Bitmap(kFocus);
    else if (item_state & ODS_DISABLED)
        chosen = Bitmap(kDisabled);
    return chosen != nullptr ? chosen : Bitmap(kNormal);
}

bool CBitmapButton::OnReflectedDrawItem(DRAWITEMSTRUCT& item)
{
    if (Bitmap(kNormal) == nullptr)
        return true;
    MemoryDc source(CreateCompatibleDC(item.hDC));
    if (!source)
        return true;
    SelectObjectScope selected(source.Get(), ChooseBitmap(item.itemState));
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
           item.rcItem.bottom - item.rcItem.top, source.Get(), 0, 0, SRCCOPY);
    return true;
}

void CStatic::SetIcon(HICON icon)
{
    Send(STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void CStatic::SetBitmap(HBITMAP bitmap)
{
    Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    PBRANGE range{};
    Send(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
}

int CListCtrl::InsertColumn(int index, const std::wstring& heading, int width, int format)
{
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(heading.c_str());
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int index, const std::wstring& text, LPARAM data)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.lParam = data;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int item, int column, const std::wstring& text)
{
    LVITEMW entry{};
    entry.iSubItem = column;
    entry.pszText = const_cast<wchar_t*>(text.c_str());
    return Send(LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&entry)) != FALSE;
}

std::wstring CListCtrl::GetItemText(int item, int column) const
{
    // The control copies at most the buffer's size less one; grow until it fits.
    for (size_t size = 256;; size *= 2) {
        std::vector<wchar_t> buffer(size);
        LVITEMW entry{};
        entry.iSubItem = column;
        entry.pszText = buffer.data();
        entry.cchTextMax = static_cast<int>(size);
        auto length =
            static_cast<size_t>(Send(LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&entry)));
        if (length + 1 < size || size >= 65536)
            return std::wstring(buffer.data(), std::min(length, size - 1));
    }
}

LPARAM CListCtrl::GetItemData(int item) const
{
    LVITEMW entry{};
    entry.mask = LVIF_PARAM;
    entry.iItem = item;
    if (!Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry)))
        return 0;
    return entry.lParam;
}

int CListCtrl::GetNextSelected(int after) const
{
    return static_cast<int>(Send(LVM_GETNEXTITEM, after, LVNI_SELECTED));
}

bool CLinkCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LITEM item{};
    item.mask = LIF_ITEMINDEX | LIF_STATE;
    item.iLink = index;
    item.state = state;
    item.stateMask = mask;
    return Send(LM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

UINT CLinkCtrl::GetItemState(int index, UINT mask) const
{
    LITEM item{};
    item.mask = LIF_ITEMINDEX | LIF_STATE;
    item.iLink = index;
    item.stateMask = mask;
    if (!Send(LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.state & mask;
}

std::wstring CLinkCtrl::GetItemUrl(int index) const
{
    LITEM item{};
    item.mask = LIF_ITEMINDEX | LIF_URL;
    item.iLink = index;
    if (!Send(LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)))
        return std::wstring();
    item.szUrl[L_MAX_URL_LENGTH - 1] = L'\0';
    return item.szUrl;
}

bool CRichEditCtrl::LoadLibrary()
{
    static const bool loaded = [] {
        wchar_t folder[MAX_PATH] = {};
        UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return false;
        std::wstring path = std::wstring(folder, length) + L"\\riched20.dll";
        return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH) != nullptr;
    }();
    return loaded;
}

namespace {

struct RtfSource {
    const std::string* text;
    size_t offset;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given)
{
    auto& source = *reinterpret_cast<RtfSource*>(cookie);
    size_t left = source.text->size() - source.offset;
    size_t count = std::min(left, static_cast<size_t>(wanted));
    std::memcpy(buffer, source.text->data() + source.offset, count);
    source.offset += count;
    *given = static_cast<LONG>(count);
    return 0;
}

} // namespace

bool CRichEditCtrl::StreamInRtf(const std::string& rtf)
{
    RtfSource source{&rtf, 0};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadRtf;
    LRESULT read = Send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return read > 0 && stream.dwError == 0;
}

} // namespace framework
