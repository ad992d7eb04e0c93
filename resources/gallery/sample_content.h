// Fills a freshly created template with sample content, so that the picture
// shows it as a user would see it: lists filled, texts formatted, pictures
// drawn transparently, controls shown or hidden as the programs do.
#pragma once

#include "device_choices.h"
#include "devices_preview.h"
#include "gallery_context.h"
#include "resource_catalogue.h"
#include "transparent_bitmap.h"

#include <list>

namespace gallery {

// The picture controls of the templates being captured, each bound to the
// system's picture control class; they stay bound until their windows go.
using PictureControls = std::list<CTransparentBitmap>;

// One picture of a template: a dialog in one of the states it shows.
struct Sample {
    const vqxres::DialogInfo* dialog;
    int state;        // 0, or 1 for a second state of the same template
    const Context* context;
    PictureControls* pictures;  // where the template's picture controls are bound
};

// The states worth showing for a template.
int StateCount(const vqxres::DialogInfo& dialog);
// A caption suffix for a state ("" for the only or first one).
const char* StateName(const vqxres::DialogInfo& dialog, int state);

// The dialog procedure of every template in the gallery; lParam of
// WM_INITDIALOG (or the property page's lParam) points to a Sample.
INT_PTR CALLBACK SampleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace gallery
