#include "handles.h"

LONG CRegKey::Open(HKEY parent, const char* subKey, REGSAM access)
{
    Close();
    return RegOpenKeyExA(parent, subKey, 0, access, &m_key);
}

LONG CRegKey::Create(HKEY parent, const char* subKey, REGSAM access)
{
    Close();
    return RegCreateKeyExA(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &m_key, nullptr);
}

void CRegKey::Close()
{
    if (m_key)
        RegCloseKey(std::exchange(m_key, nullptr));
}

LONG CRegKey::QueryDWORD(const char* name, DWORD& value) const
{
    DWORD type = 0, data = 0, size = sizeof(data);
    LONG rc = RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (rc == ERROR_SUCCESS && (type != REG_DWORD || size != sizeof(data)))
        rc = ERROR_INVALID_DATA;
    if (rc == ERROR_SUCCESS)
        value = data;
    return rc;
}

LONG CRegKey::QueryString(const char* name, std::string& value) const
{
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExA(m_key, name, nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    std::string data(size + 1, '\0');
    rc = RegQueryValueExA(m_key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size);
    if (rc == ERROR_SUCCESS)
        value.assign(data.c_str());  // the stored text may lack its terminator
    return rc;
}

LONG CRegKey::QueryBinary(const char* name, void* data, DWORD& size) const
{
    return RegQueryValueExA(m_key, name, nullptr, nullptr, static_cast<BYTE*>(data), &size);
}

LONG CRegKey::SetDWORD(const char* name, DWORD value) const
{
    return RegSetValueExA(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

LONG CRegKey::SetString(const char* name, const std::string& value) const
{
    return RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
}

LONG CRegKey::SetBinary(const char* name, const void* data, DWORD size) const
{
    return RegSetValueExA(m_key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}

LONG CRegKey::DeleteValue(const char* name) const
{
    return RegDeleteValueA(m_key, name);
}
