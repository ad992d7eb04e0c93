// CObject and CRuntimeClass: the common root of services, windows and
// exceptions.
//
// Every class derived from CObject starts its table of virtual operations
// with GetRuntimeClass, the destructor and Serialize, in that order; the
// services' callers in other modules rely on that order.
//
// Run-time class records:
//   DECLARE_DYNAMIC(C) / IMPLEMENT_DYNAMIC(C, Base)     name and base of C
//   DECLARE_DYNCREATE(C) / IMPLEMENT_DYNCREATE(C, Base) also creatable by
//                                                       RUNTIME_CLASS(C)->CreateObject()
#pragma once

class CArchive;  // no archives in this system; Serialize keeps its place only
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();  // null: not dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class, or null when the class is not creatable.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& archive);

    bool IsKindOf(const CRuntimeClass* cls) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(cls) (&cls::class##cls)

#define DECLARE_DYNAMIC(cls)                                   \
public:                                                        \
    static const CRuntimeClass class##cls;                     \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(cls)                                 \
    DECLARE_DYNAMIC(cls)                                       \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(cls, base, create)             \
    const CRuntimeClass cls::class##cls = {                    \
        #cls, sizeof(cls), create, RUNTIME_CLASS(base) };      \
    const CRuntimeClass* cls::GetRuntimeClass() const          \
    { return RUNTIME_CLASS(cls); }

#define IMPLEMENT_DYNAMIC(cls, base)                           \
    IMPLEMENT_RUNTIMECLASS_(cls, base, nullptr)

#define IMPLEMENT_DYNCREATE(cls, base)                         \
    CObject* cls::CreateObject() { return new cls; }           \
    IMPLEMENT_RUNTIMECLASS_(cls, base, cls::CreateObject)
