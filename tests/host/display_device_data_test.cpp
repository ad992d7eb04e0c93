// The data object handed to property-sheet extensions: it serves the device
// name in exactly one format and refuses every other request.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>

#include <string>

#include "display_device_data.h"
#include "display_panel_contract.h"
#include "handles.h"

namespace {

FORMATETC DeviceNameRequest()
{
    FORMATETC format = {};
    format.cfFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(displaypanel::kDisplayDeviceFormat));
    format.dwAspect = DVASPECT_CONTENT;
    format.lindex = -1;
    format.tymed = TYMED_HGLOBAL;
    return format;
}

// The string in an HGLOBAL the data object returned; frees the memory as an
// extension does, with GlobalFree.
std::wstring TakeString(STGMEDIUM& medium)
{
    std::wstring text;
    {
        CGlobalLock lock(medium.hGlobal);
        const auto* chars = static_cast<const wchar_t*>(lock.Data());
        const size_t capacity = GlobalSize(medium.hGlobal) / sizeof(wchar_t);
        const size_t length = wcsnlen(chars, capacity);
        EXPECT_LT(length, capacity) << "the string has no terminator";
        text.assign(chars, length);
    }
    EXPECT_EQ(nullptr, GlobalFree(medium.hGlobal));
    return text;
}

class DisplayDeviceDataTest : public testing::Test {
protected:
    // Asks for the device name with `format`; expects `expected` from both
    // QueryGetData and GetData and, on refusal, an untouched medium.
    void ExpectRefused(FORMATETC format, HRESULT expected)
    {
        EXPECT_EQ(expected, m_data->QueryGetData(&format));
        STGMEDIUM medium = {};
        EXPECT_EQ(expected, m_data->GetData(&format, &medium));
        EXPECT_EQ(nullptr, medium.hGlobal);
    }

    CComPtr<IDataObject> m_data = CDisplayDeviceDataObject::Create(std::wstring(L"\\\\.\\DISPLAY1"));
};

TEST_F(DisplayDeviceDataTest, ServesTheDeviceNameAsUtf16InANewGlobalOnEveryRequest)
{
    FORMATETC format = DeviceNameRequest();
    EXPECT_EQ(S_OK, m_data->QueryGetData(&format));
    for (int request = 0; request < 2; ++request) {
        STGMEDIUM medium = {};
        ASSERT_EQ(S_OK, m_data->GetData(&format, &medium));
        EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), medium.tymed);
        EXPECT_EQ(nullptr, medium.pUnkForRelease);
        EXPECT_EQ(L"\\\\.\\DISPLAY1", TakeString(medium));
    }
}

TEST_F(DisplayDeviceDataTest, AnAnsiNameArrivesWidened)
{
    CComPtr<IDataObject> data = CDisplayDeviceDataObject::Create(std::string("\\\\.\\DISPLAY2"));
    FORMATETC format = DeviceNameRequest();
    STGMEDIUM medium = {};
    ASSERT_EQ(S_OK, data->GetData(&format, &medium));
    EXPECT_EQ(L"\\\\.\\DISPLAY2", TakeString(medium));
}

TEST_F(DisplayDeviceDataTest, AcceptsARequestThatAlsoAllowsOtherMedia)
{
    FORMATETC format = DeviceNameRequest();
    format.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    STGMEDIUM medium = {};
    ASSERT_EQ(S_OK, m_data->GetData(&format, &medium));
    EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), medium.tymed);
    EXPECT_EQ(L"\\\\.\\DISPLAY1", TakeString(medium));
}

TEST_F(DisplayDeviceDataTest, RefusesOtherFormatsAspectsIndexesAndMedia)
{
    FORMATETC format = DeviceNameRequest();
    format.cfFormat = CF_UNICODETEXT;
    ExpectRefused(format, DV_E_FORMATETC);

    format = DeviceNameRequest();
    format.dwAspect = DVASPECT_ICON;
    ExpectRefused(format, DV_E_DVASPECT);

    format = DeviceNameRequest();
    format.lindex = 0;
    ExpectRefused(format, DV_E_LINDEX);

    format = DeviceNameRequest();
    format.tymed = TYMED_ISTREAM;
    ExpectRefused(format, DV_E_TYMED);
}

TEST_F(DisplayDeviceDataTest, AnswersForIUnknownAndIDataObjectOnly)
{
    CComPtr<IUnknown> unknown = m_data.QueryInterface<IUnknown>(IID_IUnknown);
    EXPECT_TRUE(unknown);
    CComPtr<IDataObject> again = m_data.QueryInterface<IDataObject>(IID_IDataObject);
    EXPECT_EQ(m_data.Get(), again.Get());
    EXPECT_FALSE(m_data.QueryInterface<IStream>(IID_IStream));
}

} // namespace
