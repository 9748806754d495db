#pragma once
// Small owners for Win32 resources, so that every path releases what it took.
// Owners close on destruction and can be moved, never copied; borrowed
// handles stay plain handles.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <utility>

namespace lum {

template <typename T, typename Traits>
class Owned {
public:
    Owned() noexcept = default;
    explicit Owned(T value) noexcept : m_value(value) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : m_value(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const noexcept { return m_value; }
    explicit operator bool() const noexcept { return Traits::valid(m_value); }
    T release() noexcept { return std::exchange(m_value, Traits::invalid()); }
    void reset(T value = Traits::invalid()) noexcept {
        T old = std::exchange(m_value, value);
        if (Traits::valid(old)) Traits::close(old);
    }
    // For out-parameters: releases what is held and hands the slot over.
    T* put() noexcept { reset(); return &m_value; }

private:
    T m_value = Traits::invalid();
};

struct HandleTraits {
    static HANDLE invalid() noexcept { return nullptr; }
    static bool valid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct FileHandleTraits : HandleTraits {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
};
struct FindHandleTraits : FileHandleTraits {
    static void close(HANDLE h) noexcept { ::FindClose(h); }
};
template <typename G>
struct GdiObjectTraits {
    static G invalid() noexcept { return nullptr; }
    static bool valid(G h) noexcept { return h != nullptr; }
    static void close(G h) noexcept { ::DeleteObject(h); }
};
struct MemoryDcTraits {
    static HDC invalid() noexcept { return nullptr; }
    static bool valid(HDC h) noexcept { return h != nullptr; }
    static void close(HDC h) noexcept { ::DeleteDC(h); }
};
struct IconTraits {
    static HICON invalid() noexcept { return nullptr; }
    static bool valid(HICON h) noexcept { return h != nullptr; }
    static void close(HICON h) noexcept { ::DestroyIcon(h); }
};
struct MenuTraits {
    static HMENU invalid() noexcept { return nullptr; }
    static bool valid(HMENU h) noexcept { return h != nullptr; }
    static void close(HMENU h) noexcept { ::DestroyMenu(h); }
};
struct ImageListTraits {
    static HIMAGELIST invalid() noexcept { return nullptr; }
    static bool valid(HIMAGELIST h) noexcept { return h != nullptr; }
    static void close(HIMAGELIST h) noexcept { ::ImageList_Destroy(h); }
};
struct ModuleTraits {
    static HMODULE invalid() noexcept { return nullptr; }
    static bool valid(HMODULE h) noexcept { return h != nullptr; }
    static void close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
struct WindowTraits {
    static HWND invalid() noexcept { return nullptr; }
    static bool valid(HWND h) noexcept { return h != nullptr; }
    static void close(HWND h) noexcept { if (::IsWindow(h)) ::DestroyWindow(h); }
};

using UniqueHandle = Owned<HANDLE, HandleTraits>;         // processes, threads, events, mutexes
using UniqueFile = Owned<HANDLE, FileHandleTraits>;       // CreateFileW results
using UniqueFind = Owned<HANDLE, FindHandleTraits>;       // FindFirstFileW results
using UniqueBitmap = Owned<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueFont = Owned<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = Owned<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniquePen = Owned<HPEN, GdiObjectTraits<HPEN>>;
using UniqueRegion = Owned<HRGN, GdiObjectTraits<HRGN>>;
using UniqueMemoryDC = Owned<HDC, MemoryDcTraits>;        // CreateCompatibleDC results
using UniqueIcon = Owned<HICON, IconTraits>;
using UniqueMenu = Owned<HMENU, MenuTraits>;
using UniqueImageList = Owned<HIMAGELIST, ImageListTraits>;
using UniqueModule = Owned<HMODULE, ModuleTraits>;
using UniqueWindow = Owned<HWND, WindowTraits>;

// A window's DC, borrowed with GetDC and given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    ~WindowDC() { if (m_hdc) ::ReleaseDC(m_hwnd, m_hdc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return m_hdc; }
    explicit operator bool() const noexcept { return m_hdc != nullptr; }
private:
    HWND m_hwnd;
    HDC m_hdc;
};

// BeginPaint/EndPaint as one scope.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) noexcept : m_hwnd(hwnd) { m_hdc = ::BeginPaint(hwnd, &m_ps); }
    ~PaintScope() { ::EndPaint(m_hwnd, &m_ps); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const noexcept { return m_hdc; }
    const RECT& area() const noexcept { return m_ps.rcPaint; }
private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_hdc = nullptr;
};

// Selects a GDI object into a DC for one scope and puts the old one back.
class SelectScope {
public:
    SelectScope(HDC hdc, HGDIOBJ obj) noexcept : m_hdc(hdc), m_old(obj ? ::SelectObject(hdc, obj) : nullptr) {}
    ~SelectScope() { if (m_old) ::SelectObject(m_hdc, m_old); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

// A COM interface pointer that releases its reference.
template <typename I>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    explicit ComPtr(I* p, bool addRef = false) noexcept : m_p(p) { if (m_p && addRef) m_p->AddRef(); }
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& o) noexcept : m_p(o.m_p) { if (m_p) m_p->AddRef(); }
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept { std::swap(m_p, o.m_p); return *this; }

    I* get() const noexcept { return m_p; }
    I* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    void reset() noexcept { if (I* p = std::exchange(m_p, nullptr)) p->Release(); }
    I** put() noexcept { reset(); return &m_p; }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }
    I* detach() noexcept { return std::exchange(m_p, nullptr); }

    template <typename J>
    ComPtr<J> as(REFIID iid) const noexcept {
        ComPtr<J> out;
        if (m_p) m_p->QueryInterface(iid, out.putVoid());
        return out;
    }

private:
    I* m_p = nullptr;
};

// CoInitialize/CoUninitialize for one scope (a thread or a test).
class ComScope {
public:
    ComScope() noexcept : m_hr(::CoInitialize(nullptr)) {}
    ~ComScope() { if (SUCCEEDED(m_hr)) ::CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
private:
    HRESULT m_hr;
};

} // namespace lum
