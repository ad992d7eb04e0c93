// CSwitchGuard: what a keep-or-undo dialog leaves for the guardian (the tray
// program), so that a switch the user never confirmed is undone and the hot
// keys come back also when the dialog's process ends while it is shown.
//
// The dialog runs in whatever process the hot key was pressed in; it has
// switched the outputs and removed the hook.  Should that process crash or
// be ended, nothing would undo either.  So while the dialog is shown its
// thread owns a named mutex and a small named block records the display and
// its previous outputs.  The guardian holds both open; when it can take the
// mutex while a foreign process is recorded, that dialog's thread is gone
// without ending the dialog, and the guardian undoes its switch.  Once the
// user has kept the switch, the record says so before the dialog gives the
// hot keys back: a process that ends after that point leaves the guardian
// only the hot keys to bring back, never a kept switch to undo.
//
// This lives beside the shared records, not in them: their byte layout is an
// interface other programs read.
#pragma once

#include <windows.h>

#include <string>

#include "framework.h"
#include "side_block.h"

class CSwitchGuard {
public:
    // Opens (or creates) the mutex and the block.  A guard whose objects
    // could not be had guards nothing; the switch itself goes on.
    CSwitchGuard();
    CSwitchGuard(const CSwitchGuard&) = delete;
    CSwitchGuard& operator=(const CSwitchGuard&) = delete;

    // A switch of `deviceName` from `previousMask` waiting for the user:
    // recorded for its scope, by the thread that shows the dialog.
    class CPending {
    public:
        CPending(CSwitchGuard& guard, const std::string& deviceName, UINT previousMask);
        ~CPending();
        CPending(const CPending&) = delete;
        CPending& operator=(const CPending&) = delete;

        // The user kept the switch: nothing is left to undo.
        void Keep();

    private:
        CSwitchGuard& m_guard;
        CMutexLock m_owned;  // released after the record is cleared
        bool m_recorded;
    };

    // The guardian's check: TRUE when a dialog's thread ended while the
    // dialog was shown, with `undo` set when its switch is still to be undone
    // (to `previousMask` on `deviceName`) and clear when the user had kept
    // it.  The record is taken: it is reported once.
    bool TakeAbandoned(std::string& deviceName, UINT& previousMask, bool& undo);

private:
    struct Record;
    Record* Data() const;

    CHandle m_owner;
    CSideBlock m_block;
};
