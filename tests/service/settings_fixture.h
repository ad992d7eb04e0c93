// The settings service of the test process on a clean slate: no OEM file,
// no settings key.  Each test gets a new service object (its reference is
// the only one, so releasing it destroys it) and leaves nothing behind.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "os_service.h"
#include "service_reference.h"

// Where the service finds its settings, spelled out as the system's users
// and installers know them.
extern const char kOemFilePath[];
extern const char kSettingsKeyPath[];

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Removes the OEM file and the settings key.
    static void ClearSettings();

    // OEM file entries, written as the notebook maker would.
    static void WriteOem(const char* section, const char* key, const char* value);
    static void WriteOem(const char* section, const char* key, int value);

    // Settings key values, written and read past the service.
    static void WriteRegValue(const char* name, DWORD type, const void* data, DWORD size);
    static void WriteRegDwordValue(const char* name, DWORD value);
    // The stored value's type and bytes; false when absent.
    static bool ReadRegValue(const char* name, DWORD& type, std::string& data);

    ServiceReference<COSService> m_settings;
};
