#pragma once
// Owning wrappers for Win32 handles: each closes its handle once, when it goes out of
// scope or is reset, and can be moved but not copied.
//
//   framework::KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
//   framework::FileHandle file(CreateFileW(...));        // INVALID_HANDLE_VALUE: empty
//   framework::RegKey key;  RegOpenKeyExW(root, path, 0, KEY_READ, key.Receive());
//   framework::GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(7, 85, 49)));
//   framework::ComPtr<IShellLinkW> link;  link.CreateInstance(CLSID_ShellLink);
//   framework::ProcessHandles process;  CreateProcessW(..., process.Receive());

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace framework {

// A handle with a close function; `Traits` gives Invalid() and Close(handle).
template <typename Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid())
    {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }
    // For functions that return a handle through a pointer; closes the current one.
    Handle* Receive()
    {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
// Events, mutexes, threads, processes: empty when null.
using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
// Files of CreateFile: empty when INVALID_HANDLE_VALUE.
using FileHandle = UniqueHandle<FileHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { FindClose(handle); }
};
// FindFirstFile searches.
using FindHandle = UniqueHandle<FindHandleTraits>;

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { RegCloseKey(handle); }
};
using RegKey = UniqueHandle<RegKeyTraits>;

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { FreeLibrary(handle); }
};
// A library loaded with LoadLibrary, freed with it.
using LibraryHandle = UniqueHandle<ModuleTraits>;

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { DestroyIcon(handle); }
};
// An icon made or loaded unshared (not one of LoadIcon's shared icons).
using IconHandle = UniqueHandle<IconTraits>;

template <typename T> struct GdiObjectTraits {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { DeleteObject(handle); }
};
// Brushes, pens, fonts, bitmaps, regions, palettes.
template <typename T> using GdiObject = UniqueHandle<GdiObjectTraits<T>>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { DeleteDC(handle); }
};
// A device context of CreateCompatibleDC.
using MemoryDc = UniqueHandle<MemoryDcTraits>;

// A window's device context of GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc()
    {
        if (dc_ != nullptr)
            ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &paint_); }
    ~PaintDc() { EndPaint(hwnd_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// Selects a GDI object into a device context and selects the previous one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectObjectScope()
    {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The two handles of CreateProcess, both closed.
class ProcessHandles {
public:
    ProcessHandles() = default;
    ~ProcessHandles() { Close(); }
    ProcessHandles(const ProcessHandles&) = delete;
    ProcessHandles& operator=(const ProcessHandles&) = delete;

    // For CreateProcess; closes what it held before.
    PROCESS_INFORMATION* Receive()
    {
        Close();
        return &info_;
    }
    HANDLE Process() const { return info_.hProcess; }
    HANDLE Thread() const { return info_.hThread; }
    DWORD ProcessId() const { return info_.dwProcessId; }
    void Close()
    {
        if (info_.hThread != nullptr)
            CloseHandle(info_.hThread);
        if (info_.hProcess != nullptr)
            CloseHandle(info_.hProcess);
        info_ = PROCESS_INFORMATION{};
    }

private:
    PROCESS_INFORMATION info_{};
};

// A COM interface pointer that holds one reference.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller owns.
    explicit ComPtr(T* pointer) : pointer_(pointer) {}
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr& other) : pointer_(other.pointer_)
    {
        if (pointer_ != nullptr)
            pointer_->AddRef();
    }
    ComPtr& operator=(const ComPtr& other)
    {
        ComPtr copy(other);
        std::swap(pointer_, copy.pointer_);
        return *this;
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.pointer_, nullptr));
        return *this;
    }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void Reset(T* pointer = nullptr)
    {
        T* old = std::exchange(pointer_, pointer);
        if (old != nullptr)
            old->Release();
    }
    // For functions that return an interface through a pointer.
    T** Receive()
    {
        Reset();
        return &pointer_;
    }
    HRESULT CreateInstance(REFCLSID clsid, DWORD context = CLSCTX_INPROC_SERVER)
    {
        Reset();
        return CoCreateInstance(clsid, nullptr, context, __uuidof(T),
                                reinterpret_cast<void**>(&pointer_));
    }
    template <typename U> HRESULT QueryInterface(ComPtr<U>& other) const
    {
        if (pointer_ == nullptr)
            return E_POINTER;
        return pointer_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(other.Receive()));
    }

private:
    T* pointer_ = nullptr;
};

// CoInitializeEx for a scope; CoUninitialize only when it succeeded.
class ComScope {
public:
    explicit ComScope(DWORD model = COINIT_APARTMENTTHREADED)
        : result_(CoInitializeEx(nullptr, model))
    {
    }
    ~ComScope()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Succeeded() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

} // namespace framework
