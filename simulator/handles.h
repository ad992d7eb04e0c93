// Owners of the kernel objects the simulated adapter keeps open.
#pragma once

#include <windows.h>

namespace vqxsim {

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(HANDLE handle = nullptr)
    {
        if (m_handle)
            CloseHandle(m_handle);
        m_handle = handle;
    }

private:
    HANDLE m_handle = nullptr;
};

class MappedView {
public:
    MappedView() = default;
    ~MappedView() { Reset(); }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;

    void* Get() const { return m_view; }
    void Reset(void* view = nullptr)
    {
        if (m_view)
            UnmapViewOfFile(m_view);
        m_view = view;
    }

private:
    void* m_view = nullptr;
};

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { if (m_key) RegCloseKey(m_key); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY* Receive() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

} // namespace vqxsim
