#pragma once
// The program's application controller: it binds the dialog library, gives
// the main window its skin and shape, has the page layout build the window's
// contents, wires its buttons, profile box and bars, shows and hides the
// window, and carries the user's edits to the hardware (Apply with its
// confirmations, Undo, the refresh after any party changed the settings). It also receives the power events and the
// other programs' commands (TuningSnapshots does that work).

#include <windows.h>

#include <utility>

#include "app/forms/AppController.h"
#include "app/controller/BarValues.h"
#include "app/controller/DovrelLibrary.h"
#include "app/controller/TuningSnapshots.h"
#include "platform/vcl/Form.h"
#include "tuning/ZxOcItemValue.h"
#include "turboInfo_Intel/src/gui/widget/TShapedForm.h"
#include "vessa/widget/Source/Flicker.h"

// Where a dialog opens relative to the main window.
constexpr int kDialogOffsetLeft = 170;
constexpr int kDialogOffsetTopExpanded = 370;
constexpr int kDialogOffsetTopCollapsed = 40;
// The dialog library's ask dialog, centred for the tray notices.
constexpr int kAskDialogWidth = 281;
constexpr int kAskDialogHeight = 203;
constexpr int kSmallScreenHeight = 768;

// The maker's power-saving tool and its companion window.
constexpr char kPowerToolClass[] = "TApplication";
constexpr const char* kPowerToolCaptions[] = {"Oxlen-6 Engine", "Oxlen"};
constexpr char kPowerToolCompanionClass[] = "TMainForm";
constexpr const char* kPowerToolCompanionCaptions[] = {"Quindle", "Tovane"};
constexpr UINT kMsgPowerToolSettingsApplied = WM_USER + 31;
// How long Apply waits for the power tool to take that message.
constexpr UINT kPowerToolAnswerMs = 3000;

class Director : public AppController, public TuningCommands {
public:
    // The program's one controller, created on first use, never destroyed.
    static Director& GetInstance();

    // AppController
    void Init() override;
    void ShowFromTray() override;
    void HideToTray() override;

    // TuningCommands
    void OnBroadcastRefresh() override;
    void SnapshotForSuspend() override { m_snapshots.SnapshotForSuspend(); }
    void ReapplyAfterResume() override;
    void OnSetItemCommand(LPARAM value) override { m_snapshots.OnSetItemCommand(value); }
    void OnProfileCommand(LPARAM command) override { m_snapshots.OnProfileCommand(command); }

    // The window's buttons and bars.
    void Apply();
    void Undo();
    void OnBarChanged(TObject* sender);
    void RefreshAllBars();
    // The profile box and the Save Profile button.
    void SaveProfile();
    void FillProfileList();
    void SelectProfile();

    bool IsPending() const { return m_pending; }
    std::pair<int, int> GetDialogPosition() const;
    // An ask dialog's place `offsetTop` below the window's top, moved inside
    // the work area.
    static std::pair<int, int> DialogPosition(int offsetTop);
    void ShowCenteredWarning(const char* text) const;

    static bool IsOxlenEngineVisible();
    bool HasDangerousValue() const;

private:
    Director();
    Director(const Director&) = delete;
    Director& operator=(const Director&) = delete;

    // Every confirmation the change needs; true only when all said Yes.
    bool ConfirmApply(bool oxlen) const;
    // The apply list: one record per bar whose value was read.
    ZxOcItemValueList BuildApplyList() const;
    void WriteSettings(const ZxOcItemValueList& values);
    void SetPending(bool pending);
    // Pending exactly while some read bar differs from its last BIOS read.
    void UpdatePending();
    bool IsLayoutExpanded() const;
    void ClearProfileSelection();
    // False when the power tool did not answer in time: nothing is written.
    static bool TellPowerToolAndSwitchItOff();

    // The window's buttons (made by the page layout) and every bar's change.
    void WireWindowControls();
    void OnCloseClick(TObject* sender);
    void OnMinimizeClick(TObject* sender);
    void OnMoreSettingClick(TObject* sender);
    void OnProfileDropDown(TObject* sender);
    void OnProfileChosen(TObject* sender);
    void OnSaveProfileClick(TObject* sender);
    void OnApplyClick(TObject* sender);
    void OnUndoClick(TObject* sender);

    void OnTrayDoubleClick(TCustomForm* form);
    void OnTrayRightButtonUp(TCustomForm* form);

    DovrelLibrary m_dovrel;
    qn::TLayeredFormMaker m_shape;
    vessa::FlickerEliminator m_flicker;
    bool m_updating = false;
    bool m_pending = false;
    bool m_resolutionNoticeShown = false;
    TuningSnapshots m_snapshots;
    AdvBarList m_bars;  // every value bar of the window, from the page layout
};
