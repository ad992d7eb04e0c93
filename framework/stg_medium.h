// CStgMedium: a storage medium filled by IDataObject::GetData, released
// with ReleaseStgMedium as COM says: the receiver frees the memory only
// when the medium carries no pUnkForRelease, and otherwise drops that
// reference, so a data object that keeps its memory gets it back intact.
#pragma once

#include <objidl.h>
#include <ole2.h>

class CStgMedium {
public:
    CStgMedium() = default;
    ~CStgMedium() { Reset(); }
    CStgMedium(const CStgMedium&) = delete;
    CStgMedium& operator=(const CStgMedium&) = delete;

    // Releases what is held and returns the medium for GetData to fill.
    STGMEDIUM* Receive()
    {
        Reset();
        return &m_medium;
    }
    const STGMEDIUM& Get() const { return m_medium; }

    void Reset()
    {
        if (m_medium.tymed != TYMED_NULL || m_medium.pUnkForRelease)
            ReleaseStgMedium(&m_medium);
        m_medium = STGMEDIUM();
    }

private:
    STGMEDIUM m_medium = STGMEDIUM();
};
