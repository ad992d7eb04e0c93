#include "property_sheet_handlers.h"

#include <shlobj.h>

#include <string>
#include <vector>

#include "com_ptr.h"
#include "exception.h"
#include "handles.h"

namespace displaypanel {

namespace {

// The names of the subkeys of `key`.
std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    char name[MAX_PATH];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof(name);
        LONG result = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;  // no class id is that long
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

// `text` as a class id in braces (CLSIDFromString alone would also look a
// program id up).
bool ParseClassId(const std::string& text, CLSID& classId)
{
    if (text.empty() || text[0] != '{')
        return false;
    std::wstring wide(text.begin(), text.end());  // a class id is plain ASCII
    return SUCCEEDED(CLSIDFromString(const_cast<LPOLESTR>(wide.c_str()), &classId));
}

// The handler's class id: the subkey's name when that is one, else its
// default value.
bool HandlerClassId(const std::string& name, const CRegKey& handlerKey, CLSID& classId)
{
    if (ParseClassId(name, classId))
        return true;
    std::string value;
    return handlerKey.QueryString(nullptr, value) == ERROR_SUCCESS && ParseClassId(value, classId);
}

// One handler's steps; false when one of them fails.  Every reference is
// released before it returns, also when a step fails.
bool AddHandlerPages(REFCLSID classId, IDataObject* data, HKEY handlerKey, CPropertySheetPages& pages)
{
    CComPtr<IShellExtInit> init;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, init.ReceiveVoid())) ||
        !init)
        return false;
    if (FAILED(init->Initialize(nullptr, data, handlerKey)))
        return false;
    CComPtr<IShellPropSheetExt> sheetExtension = init.QueryInterface<IShellPropSheetExt>(IID_IShellPropSheetExt);
    init.Reset();  // released here, where a throwing Release is still caught
    if (!sheetExtension)
        return false;
    const HRESULT added =
        sheetExtension->AddPages(CPropertySheetPages::AddPageCallback, reinterpret_cast<LPARAM>(&pages));
    sheetExtension.Reset();
    return SUCCEEDED(added);
}

// AddHandlerPages with the handler kept from harming the others: anything
// it throws (no COM object should, but a handler's fault must not end the
// sheet) counts as its failure.  A handler that fails contributes no page:
// the pages it had already added are destroyed here, once, so the sheet
// gets exactly the pages of the handlers that succeeded and a half-made
// extension never has a page shown.
bool AddGuardedHandlerPages(REFCLSID classId, IDataObject* data, HKEY handlerKey, CPropertySheetPages& pages)
{
    const size_t pagesBefore = pages.Count();
    bool succeeded = false;
    try {
        succeeded = AddHandlerPages(classId, data, handlerKey, pages);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    if (!succeeded)
        pages.DestroyFrom(pagesBefore);
    return succeeded;
}

} // namespace

int LoadPropertySheetHandlers(IDataObject* data, CPropertySheetPages& pages, const char* handlersKey)
{
    CRegKey handlers;
    if (handlers.Open(HKEY_LOCAL_MACHINE, handlersKey) != ERROR_SUCCESS)
        return 0;
    int loaded = 0;
    for (const std::string& name : SubkeyNames(handlers.Get())) {
        CRegKey handlerKey;
        CLSID classId;
        if (handlerKey.Open(handlers.Get(), name.c_str()) != ERROR_SUCCESS ||
            !HandlerClassId(name, handlerKey, classId))
            continue;
        if (AddGuardedHandlerPages(classId, data, handlerKey.Get(), pages))
            ++loaded;
    }
    return loaded;
}

} // namespace displaypanel
