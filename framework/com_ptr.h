// CComPtr<T>: owns one reference to a COM interface and releases it when it
// goes.  Not copyable (a second owner takes its own reference with
// CopyFrom); movable.
#pragma once

#include <unknwn.h>

#include <utility>

template <class T>
class CComPtr {
public:
    CComPtr() = default;
    ~CComPtr() { Reset(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    CComPtr(CComPtr&& other) noexcept : m_p(other.Detach()) {}
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    // Takes over a reference the caller already holds (a new object's first
    // reference, an out-parameter filled elsewhere).
    static CComPtr Adopt(T* p)
    {
        CComPtr owner;
        owner.m_p = p;
        return owner;
    }
    // Takes a reference of its own to `p`.
    static CComPtr CopyFrom(T* p)
    {
        if (p)
            p->AddRef();
        return Adopt(p);
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // The place for an interface an API returns through an out-parameter;
    // releases the current one first.
    T** Receive()
    {
        Reset();
        return &m_p;
    }
    // The same, typed as CoCreateInstance and QueryInterface want it.
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // Releases the current reference and takes over `p`'s.
    void Attach(T* p)
    {
        T* old = std::exchange(m_p, p);
        if (old)
            old->Release();
    }
    // Gives the reference to the caller.
    T* Detach() { return std::exchange(m_p, nullptr); }
    void Reset() { Attach(nullptr); }

    // The interface `Q` of the same object, or an empty pointer.
    template <class Q>
    CComPtr<Q> QueryInterface(REFIID iid) const
    {
        CComPtr<Q> result;
        if (m_p)
            m_p->QueryInterface(iid, result.ReceiveVoid());
        return result;
    }

private:
    T* m_p = nullptr;
};
