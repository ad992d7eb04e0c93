// The fake extension's page template, shared by its resource script, its
// code and the tests that look for the page.
#pragma once

#define FAKE_PAGE_TEMPLATE 100
#define FAKE_PAGE_TITLE "Fake Page"
#define FAKE_PAGE_TEXT "A page added by the fake extension"
#define FAKE_PAGE_TEXT_ID 1001
// Shows the device name the extension was initialised with.
#define FAKE_PAGE_DEVICE_ID 1002
