// What the tests of the stand-in Display control panel share:
//
//   CTempFolder         a folder of the test's own, removed with its files
//   CCurrentFolder      the current folder changed for a scope
//   FakeRegistration    the fake extension as a handler under a given key
//   CFakeExtension      the fake extension loaded by the test, to read what
//                       it recorded
//   CSheetWatcher       finds the Display Properties sheet (or the box shown
//                       instead) from a thread of its own, reads it and
//                       closes it while the test's thread runs it modally
//   HostTest            fixture: COM for the test, a handlers key of the
//                       test's own (removed afterwards)
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "com_initialization.h"
#include "extension_registration.h"
#include "fake_extension.h"
#include "handles.h"
#include "test_support.h"

// A new, empty folder in the temporary folder; removed with the files in it
// (not subfolders) when the object goes.  Path() has no trailing backslash.
class CTempFolder {
public:
    CTempFolder();

    const std::string& Path() const { return m_path; }
    std::string File(const char* name) const { return m_folder.File(name); }

private:
    testsupport::TemporaryFolder m_folder;
    std::string m_path;
};

class CCurrentFolder {
public:
    explicit CCurrentFolder(const std::string& folder);
    ~CCurrentFolder();
    CCurrentFolder(const CCurrentFolder&) = delete;
    CCurrentFolder& operator=(const CCurrentFolder&) = delete;

private:
    std::string m_previous;
};

displaypanel::HandlerRegistration FakeRegistration(const std::string& handlersKey);

// The fake library's page counters (see kFakePageCountsExport).
struct FakePageCounts {
    LONG created = -1;
    LONG released = -1;
};

class CFakeExtension {
public:
    CFakeExtension();
    bool Loaded() const { return static_cast<bool>(m_module); }
    LONG ObjectCount() const;
    FakePageCounts PageCounts() const;
    std::wstring DeviceName() const;

private:
    CModule m_module;
};

// What the watcher saw of the sheet.
struct SeenSheet {
    bool sheetShown = false;       // a "Display Properties" property sheet
    std::string pageText;          // the fake page's text, "" if not shown
    int pageCount = 0;             // the sheet's tabs when the page showed
    std::string pageDeviceName;    // the device name the fake page shows
    bool fakeLoadedMeanwhile = false;  // the fake library was in the test's process
    std::string messageBoxText;    // the box shown instead of a sheet
};

class CSheetWatcher {
public:
    // Starts watching; the sheet (or box) is closed with `button`.
    explicit CSheetWatcher(int button);
    ~CSheetWatcher();
    CSheetWatcher(const CSheetWatcher&) = delete;
    CSheetWatcher& operator=(const CSheetWatcher&) = delete;

    // Waits for the watch to end and tells what it saw.
    const SeenSheet& Seen();

private:
    void Watch(int button);

    SeenSheet m_seen;
    std::thread m_thread;
};

// Reads the fake page out of a shown sheet (of any process) once the sheet
// shows it, or the text of the box shown instead, then closes the sheet with
// `button` (the box with OK).
SeenSheet InspectAndClose(HWND sheet, int button);

class HostTest : public testing::Test {
protected:
    // Handlers of the test's own, so that handlers other programs left in
    // the prefix cannot change what a test sees.
    static constexpr char kTestHandlersKey[] = "Software\\VQX host tests\\PropertySheetHandlers";

    void TearDown() override;

    // Registers the fake extension under the test's handlers key.
    void RegisterFake();
    // Adds a handler under the test's handlers key whose default value is
    // `classId`.
    void AddHandlerEntry(const char* name, const char* classId);
    // Adds a handler entry `name` for the fake extension (which RegisterFake
    // registered) whose object behaves as `behaviour` says.
    void AddFakeHandlerEntry(const char* name, const char* behaviour);
    void RemoveHandlerEntry(const char* name);

    CComInitialization m_com;
};
