// Owning wrappers for the system's handles: each frees its handle in its
// destructor, cannot be copied, and can be moved.
//
//   CHandle        kernel objects (CloseHandle)
//   CModule        loaded libraries (FreeLibrary)
//   CMappedView    views of file mappings (UnmapViewOfFile)
//   CRegKey        registry keys (RegCloseKey), with value helpers
//   CGdiObject     bitmaps, brushes, pens, fonts (DeleteObject)
//   CDCHandle      device contexts made with CreateDC/CreateCompatibleDC (DeleteDC)
//   CMenuHandle    menus loaded or created and not given to a window (DestroyMenu)
//   CWindowDC      a window's DC from GetDC (ReleaseDC)
//   CPaintDC       BeginPaint/EndPaint of a WM_PAINT
//   CSelectObject  selects a GDI object into a DC for a scope
//   CGlobalLock    GlobalLock/GlobalUnlock of a memory handle
//   CMutexLock     holds a mutex for a scope
#pragma once

#include <windows.h>

#include <string>
#include <utility>

// One owning wrapper for every kind: Traits gives the empty value and the
// function that frees a handle.
template <class Traits>
class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle handle) : m_handle(handle) {}
    ~CUniqueHandle() { Reset(); }

    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Handle Get() const { return m_handle; }
    operator Handle() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Empty(); }

    // Gives up ownership without freeing.
    Handle Release() { return std::exchange(m_handle, Traits::Empty()); }
    // Frees the current handle and takes `handle`.
    void Reset(Handle handle = Traits::Empty())
    {
        if (m_handle != Traits::Empty())
            Traits::Free(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = Traits::Empty();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { CloseHandle(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { FreeLibrary(h); }
};
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { GlobalFree(h); }
};
struct MappedViewTraits {
    using Handle = void*;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { UnmapViewOfFile(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { DeleteObject(h); }
};
struct DCTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { DeleteDC(h); }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { DestroyMenu(h); }
};

using CHandle = CUniqueHandle<KernelHandleTraits>;
using CModule = CUniqueHandle<ModuleTraits>;
using CMappedView = CUniqueHandle<MappedViewTraits>;
using CGlobalMemory = CUniqueHandle<GlobalMemoryTraits>;
using CDCHandle = CUniqueHandle<DCTraits>;
using CMenuHandle = CUniqueHandle<MenuTraits>;

// A GDI object of a known type (HBITMAP, HBRUSH, ...).
template <class T>
class CGdiObject : public CUniqueHandle<GdiObjectTraits> {
public:
    using CUniqueHandle<GdiObjectTraits>::CUniqueHandle;
    T Get() const { return static_cast<T>(CUniqueHandle<GdiObjectTraits>::Get()); }
    operator T() const { return Get(); }
};
using CBitmapHandle = CGdiObject<HBITMAP>;
using CBrushHandle = CGdiObject<HBRUSH>;

// A registry key with the few value operations the system needs.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    CRegKey(CRegKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}

    LONG Open(HKEY parent, const char* subKey, REGSAM access = KEY_READ);
    LONG Create(HKEY parent, const char* subKey, REGSAM access = KEY_READ | KEY_WRITE);
    void Close();

    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }

    LONG QueryDWORD(const char* name, DWORD& value) const;
    LONG QueryString(const char* name, std::string& value) const;
    LONG QueryBinary(const char* name, void* data, DWORD& size) const;
    LONG SetDWORD(const char* name, DWORD value) const;
    LONG SetString(const char* name, const std::string& value) const;
    LONG SetBinary(const char* name, const void* data, DWORD size) const;
    LONG DeleteValue(const char* name) const;

private:
    HKEY m_key = nullptr;
};

// A window's device context from GetDC, released with the window.
class CWindowDC {
public:
    explicit CWindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~CWindowDC() { if (m_dc) ReleaseDC(m_hwnd, m_dc); }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd) { m_dc = BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    operator HDC() const { return m_dc; }
    const PAINTSTRUCT& Info() const { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps = {};
    HDC m_dc;
};

// Selects an object into a DC and restores the previous one at scope end.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~CSelectObject() { if (m_old) SelectObject(m_dc, m_old); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Locks a global memory handle for a scope.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL memory) : m_memory(memory), m_data(GlobalLock(memory)) {}
    ~CGlobalLock() { if (m_data) GlobalUnlock(m_memory); }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;
    void* Data() const { return m_data; }

private:
    HGLOBAL m_memory;
    void* m_data;
};

// Holds a mutex for a scope: waits for it (an abandoned mutex is obtained
// too) and releases it on every path out.
class CMutexLock {
public:
    explicit CMutexLock(HANDLE mutex, DWORD milliseconds = INFINITE)
        : m_mutex(mutex), m_held(IsObtained(WaitForSingleObject(mutex, milliseconds))) {}
    ~CMutexLock() { if (m_held) ReleaseMutex(m_mutex); }
    CMutexLock(const CMutexLock&) = delete;
    CMutexLock& operator=(const CMutexLock&) = delete;
    bool Held() const { return m_held; }

private:
    static bool IsObtained(DWORD wait) { return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED; }
    HANDLE m_mutex;
    bool m_held;
};
