#include "app/controller/Director.h"

#include <string>

#include "KyPackage/Source/KyCheckBox.h"
#include "app/forms/AdvTrayIcon.h"
#include "app/controls/AlphaButton.h"
#include "app/controller/BarValues.h"
#include "app/forms/MainForm.h"
#include "app/controller/ProfileEntries.h"
#include "app/forms/ShadowForm.h"
#include "app/forms/WorkArea.h"
#include "app/controller/TuningStatus.h"
#include "app/pages/ZendrixLayout.h"
#include "app/protocol/ZendrixMessages.h"
#include "app/bars/AdvComboBox.h"
#include "platform/vcl/Application.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/KyOcRatio.h"
#include "tuning/SysCtrlPipeClient.h"
#include "tuning/TuningItems.h"
#include "tuning/ZxOcItemProfile.h"
#include "turboInfo_Intel/BiosInterface.h"
#include "vessa/System/ForegroundWindow.h"
#include "vessa/System/KyMultiLang.h"
#include "vessa/System/StepTrace.h"
#include "vessa/fileutl/Source/PathUtility.h"

namespace {

std::string Text(const char* key)
{
    return vessa::KyMultiLang::Instance().Translate(key);
}

HWND FindWindowByCaptions(const char* className, const char* const* captions, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (HWND window = FindWindowA(className, captions[i]))
            return window;
    return nullptr;
}

template <size_t N>
HWND FindWindowByCaptions(const char* className, const char* const (&captions)[N])
{
    return FindWindowByCaptions(className, captions, N);
}

}  // namespace

Director& Director::GetInstance()
{
    static Director* director = new Director();  // kept for the process
    return *director;
}

Director::Director() = default;

void Director::Init()
{
    if (!m_dovrel.IsBound()) {
        // Said once; from here on every dialog answers Cancel, so Apply and
        // Save Profile never go on.
        MessageBoxA(nullptr, m_dovrel.Problem().c_str(), kProgramName, MB_OK | MB_ICONERROR);
    }
    m_dovrel.Create(Application);
    vessa::StepTrace::Mark("dialog library forms made");

    MainForm->Background->Picture()->Assign(MainForm->SmallBk->Picture());
    m_shape.Attach(MainForm->Background);
    m_flicker.Attach(MainForm);

    // The bars read their items while the layout places them; their change
    // events are wired only after, so start-up leaves nothing pending.
    ZendrixLayout& layout = ZendrixLayout::GetInstance();
    layout.Build(*MainForm);
    vessa::StepTrace::Mark("pages built");
    m_bars = layout.GetAllBars();
    WireWindowControls();
    SetPending(false);

    AdvTrayIcon& tray = AdvTrayIcon::Instance();
    tray.OnDoubleClick = TTrayEvent(this, &Director::OnTrayDoubleClick);
    tray.OnRightButtonUp = TTrayEvent(this, &Director::OnTrayRightButtonUp);
    tray.Create(MainForm, kMsgTrayCallback);
    vessa::StepTrace::Mark("tray icon made");
}

void Director::ShowFromTray()
{
    if (!HasBiosInfoLevel3() && IsOxlenEngineVisible()) {
        ShowCenteredWarning(Text("CloseZendrix").c_str());
        return;
    }
    if (GetSystemMetrics(SM_CYSCREEN) < kSmallScreenHeight && !m_resolutionNoticeShown) {
        ShowCenteredWarning(Text("Resolution").c_str());
        m_resolutionNoticeShown = true;
    }
    MainForm->Show();  // with its shadow
    MainForm->KeepInsideWorkArea();
    Application->Restore();
    vessa::ForceForegroundWindow(MainForm->Handle());
    AdvTrayIcon::Instance().Show();
}

void Director::HideToTray()
{
    MainForm->Hide();
    if (ShadowForm != nullptr)
        ShadowForm->Hide();
}

void Director::OnTrayDoubleClick(TCustomForm*)
{
    ShowFromTray();
}

void Director::OnTrayRightButtonUp(TCustomForm*)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    MainForm->TrayPopupMenu->Popup(cursor.x, cursor.y);
    if (MainForm->TrayBeTurbo->Visible()) {
        HWND monitor = FindWindowA(kTurboInfoWindowClass, kTurboInfoWindowCaption);
        MainForm->TrayBeTurbo->SetChecked(monitor != nullptr && IsWindowVisible(monitor));
    }
}

bool Director::IsOxlenEngineVisible()
{
    HWND tool = FindWindowByCaptions(kPowerToolClass, kPowerToolCaptions);
    return tool != nullptr && (GetWindowLongA(tool, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::pair<int, int> Director::GetDialogPosition() const
{
    return DialogPosition(IsLayoutExpanded() ? kDialogOffsetTopExpanded : kDialogOffsetTopCollapsed);
}

std::pair<int, int> Director::DialogPosition(int offsetTop)
{
    RECT bounds{};
    GetWindowRect(MainForm->Handle(), &bounds);
    // At its place beside the window, but never out of reach.
    const POINT place =
        PlaceInsideWorkArea(bounds.left + kDialogOffsetLeft, bounds.top + offsetTop, kAskDialogWidth, kAskDialogHeight);
    return {place.x, place.y};
}

void Director::ShowCenteredWarning(const char* text) const
{
    m_dovrel.WarnDialog(text, (GetSystemMetrics(SM_CXSCREEN) - kAskDialogWidth) / 2,
                        (GetSystemMetrics(SM_CYSCREEN) - kAskDialogHeight) / 2);
}

bool Director::ConfirmApply(bool oxlen) const
{
    const auto [left, top] = GetDialogPosition();
    const std::string applyWarn = Text("ApplyWarn");
    if (oxlen) {
        if (m_dovrel.AskDialog(applyWarn.c_str(), left, top) != DovrelLibrary::kYes)
            return false;
        if (m_dovrel.AskDialog((applyWarn + Text("OxlenWarn")).c_str(), left, top) != DovrelLibrary::kYes)
            return false;
    }
    // A value past its danger limit is always confirmed as such, also when
    // the power-saving mode's questions were answered already.
    if (HasDangerousValue()) {
        const std::string dangerWarn = Text("DangerWarn");
        if (m_dovrel.AskDialogDanger(dangerWarn.c_str(), left, top) != DovrelLibrary::kYes)
            return false;
        return m_dovrel.AskDialogDanger((dangerWarn + Text("AskContinue")).c_str(), left, top) == DovrelLibrary::kYes;
    }
    return oxlen || m_dovrel.AskDialog(applyWarn.c_str(), left, top) == DovrelLibrary::kYes;
}

bool Director::TellPowerToolAndSwitchItOff()
{
    // A hung tool must not freeze the window; unanswered, nothing is written.
    if (HWND companion = FindWindowByCaptions(kPowerToolCompanionClass, kPowerToolCompanionCaptions)) {
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(companion, kMsgPowerToolSettingsApplied, kMessageSignature, 0, SMTO_ABORTIFHUNG,
                                kPowerToolAnswerMs, &answer) == 0)
            return false;
    }
    SetItemValueMode1(kPowerSavingSwitchId, 0);
    return true;
}

void Director::Apply()
{
    const bool oxlen = IsOxlenModeOn();
    if (!ConfirmApply(oxlen))
        return;  // pending stays, Apply stays enabled
    // A reread while the question was open (another program's change) may
    // have taken every difference away: then there is nothing to write.
    if (!HasPendingBar(m_bars)) {
        SetPending(false);
        return;
    }
    if (oxlen && !TellPowerToolAndSwitchItOff())
        return;  // pending stays, Apply stays enabled
    WriteSettings(BuildApplyList());
    SetPending(false);
}

void Director::WriteSettings(const ZxOcItemValueList& values)
{
    KyOcPrimaryItemSet::GetInstance().ApplyValues(values);
    SysCtrlPipeClient::GetInstance().NotifyChange(0, 0, 0);
    PostSettingsChanged(0);
    if (HasBiosInfoLevel3())
        WriteCalibrationNeeded(1);
}

void Director::Undo()
{
    RefreshAllBars();
    UpdatePending();
}

void Director::OnBarChanged(TObject*)
{
    if (m_updating)
        return;
    ClearProfileSelection();
    UpdatePending();
}

void Director::OnBroadcastRefresh()
{
    m_updating = true;
    RefreshAllBars();
    m_updating = false;
    UpdatePending();
}

void Director::ReapplyAfterResume()
{
    m_snapshots.ReapplyAfterResume();
    // The BIOS may hold other values now (written back, or changed while
    // the system slept): the bars show what it holds.
    OnBroadcastRefresh();
}

bool Director::IsLayoutExpanded() const
{
    return ZendrixLayout::GetInstance().IsExpanded();
}

void Director::UpdatePending()
{
    SetPending(HasPendingBar(m_bars));
}

void Director::SetPending(bool pending)
{
    m_pending = pending;
    if (MainForm->ApplyButton != nullptr)
        MainForm->ApplyButton->SetEnabled(pending);
}

void Director::WireWindowControls()
{
    auto wire = [this](TControl* control, void (Director::*handler)(TObject*)) {
        if (control != nullptr)
            control->OnClick = TNotifyEvent(this, handler);
    };
    wire(MainForm->CloseButton, &Director::OnCloseClick);
    wire(MainForm->MinimizeButton, &Director::OnMinimizeClick);
    wire(MainForm->SaveProfileButton, &Director::OnSaveProfileClick);
    wire(MainForm->ApplyButton, &Director::OnApplyClick);
    wire(MainForm->UndoButton, &Director::OnUndoClick);
    wire(MainForm->MoreSettingBox, &Director::OnMoreSettingClick);
    if (AdvComboBox* box = ZendrixLayout::GetInstance().GetProfileBox()) {
        box->OnDropDown = TNotifyEvent(this, &Director::OnProfileDropDown);
        box->OnChange = TNotifyEvent(this, &Director::OnProfileChosen);
    }
    SetOnChangeOfBars(m_bars, TNotifyEvent(this, &Director::OnBarChanged));
}

void Director::OnCloseClick(TObject*)
{
    HideToTray();
}

void Director::OnMinimizeClick(TObject*)
{
    Application->Minimize();
}

void Director::OnMoreSettingClick(TObject*)
{
    if (MainForm->MoreSettingBox->Checked())
        ZendrixLayout::GetInstance().ShowPages();
    else
        ZendrixLayout::GetInstance().Collapse();
}

void Director::OnProfileDropDown(TObject*)
{
    FillProfileList();
}

void Director::OnProfileChosen(TObject*)
{
    SelectProfile();
}

void Director::OnSaveProfileClick(TObject*)
{
    SaveProfile();
}

void Director::OnApplyClick(TObject*)
{
    Apply();
}

void Director::OnUndoClick(TObject*)
{
    Undo();
}

void Director::RefreshAllBars()
{
    RefreshBars(m_bars);
    ZendrixLayout::GetInstance().RefreshPages();
}

ZxOcItemValueList Director::BuildApplyList() const
{
    return ::BuildApplyList(m_bars);
}

bool Director::HasDangerousValue() const
{
    return HasDangerousBar(m_bars);
}

void Director::SaveProfile()
{
    if (m_pending) {
        const auto [left, top] = DialogPosition(kDialogOffsetTopCollapsed);
        m_dovrel.WarnDialog(Text("SaveWarn").c_str(), left, top);
        return;
    }
    m_dovrel.ShowModal();
    // The dialog may have written or deleted files: the list shows the
    // folder again, and a shown profile without its file is let go.
    FillProfileList();
    AdvComboBox* box = ZendrixLayout::GetInstance().GetProfileBox();
    if (box == nullptr)
        return;
    const std::string text = box->GetText();
    if (text.empty())
        return;
    const std::string file = vessa::GetProfileFolder() + text + kProfileExtension;
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        ClearProfileSelection();
}

void Director::ClearProfileSelection()
{
    if (AdvComboBox* box = ZendrixLayout::GetInstance().GetProfileBox())
        box->SetItemIndex(-1);
}

void Director::FillProfileList()
{
    AdvComboBox* box = ZendrixLayout::GetInstance().GetProfileBox();
    if (box == nullptr)
        return;
    const std::string shown = box->GetText();
    TStrings* items = box->GetItems();
    items->BeginUpdate();
    items->Clear();
    for (const std::string& entry : ListProfileEntries(vessa::GetProfileFolder()))
        items->Add(entry);
    items->EndUpdate();
    // The shown entry stays chosen in the new list, so that a later bar
    // change still clears it; one whose file has gone is no longer shown.
    if (shown.empty())
        return;
    const int index = items->IndexOf(shown);
    if (index >= 0)
        box->ListBox()->SetItemIndex(index);
    else
        box->SetItemIndex(-1);
}

void Director::SelectProfile()
{
    AdvComboBox* box = ZendrixLayout::GetInstance().GetProfileBox();
    if (box == nullptr)
        return;
    ZxOcItemValueList values;
    if (!ReadProfileEntry(box->GetItemIndex(), box->GetText(), vessa::GetProfileFolder(), values))
        return;  // no entry, or one that cannot be read: nothing moves
    const ZendrixLayout& layout = ZendrixLayout::GetInstance();
    m_updating = true;
    MoveBarsToProfile(values, KyOcRatio::GetInstance().IsPerCore(), layout.GetCoreRatioBars(),
                      [&layout](DWORD itemId) { return layout.GetBarByItem(itemId); });
    m_updating = false;
    UpdatePending();
}
