// CReduceOnPage: the page of the advanced sheet that switches the display
// driver's reduce-on behaviour off or on and shows whether the notebook runs
// on mains or on battery.
//
// Apply hands a changed choice to the driver and posts a power-status
// broadcast, so that every handler that tells the driver the AC line status
// (the tray program's among them) runs again.  The page follows those
// broadcasts too while it exists: they are sent to top-level windows, so the
// page has its sheet forward them (CSheetPowerForwarder below).
//
// Unlike the pages of the Display Properties sheet, this page leaves the
// shared `pagesOpen` alone.
#pragma once

#include <cstdint>
#include <string>

#include "framework.h"
#include "hardware.h"
#include "transparent_bitmap.h"

// The driver's reduce-on setting, as the adapter record holds it.
enum ReduceOnLevel : int32_t {
    kReduceOnOff = 0,
    kReduceOnOn = 1,
};

class CReduceOnPage : public CPropertyPage {
public:
    CReduceOnPage();

    BOOL OnApply() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    // Routes the power broadcasts that reach the sheet to this page.
    class CSheetPowerForwarder : public CWnd {
    public:
        explicit CSheetPowerForwarder(CReduceOnPage& page) : m_page(page) {}

    protected:
        bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    private:
        CReduceOnPage& m_page;
    };

    enum class Reload { No, Yes };

    static const CommandEntry<CReduceOnPage> kCommands[];

    void FillList();
    // Re-reads the driver's state and shows it; with reload, the applied
    // and chosen values are taken from the driver again.
    void Update(Reload reload);
    void ShowPowerSource();
    void SelectChosen();
    void OnListChanged();
    // WM_POWERBROADCAST: always answered TRUE.
    LRESULT OnPowerBroadcast(WPARAM event);
    // Only the driver of the 95 family is told the AC line status.

    CTransparentBitmap m_picture;
    CWnd m_list;
    std::string m_powerText;
    std::string m_stateText;
    CSheetPowerForwarder m_sheetForwarder{ *this };

    CHardware* m_pHardware = nullptr;
    HardwareHeader* m_pHeader = nullptr;
    AdapterRecord* m_pCurrentAdapter = nullptr;
    DisplayRecord* m_pCurrentDisplay = nullptr;

    ReduceOnLevel m_applied = kReduceOnOff;
    ReduceOnLevel m_chosen = kReduceOnOff;
};
