#include "app/bars/AdvScrollBar.h"

#include <algorithm>
#include <vector>

#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyLabel.h"
#include "app/bars/BarTextRow.h"
#include "app/controls/AlphaButton.h"
#include "app/controls/ControlFactory.h"
#include "app/skin/SkinFiles.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/TuningItems.h"
#include "tuning/ZxOcItemProfile.h"

namespace {

// The NB core voltage's item settles late after a write.
constexpr int kSlowSlot = KyOcPrimaryItemSet::kNbCoreVoltageSlot;
constexpr DWORD kSlowSlotDelayMs = 100;

constexpr char kLabelFont[] = "Arial";
constexpr int kLabelCharHeight = 12;

enum UnitCode { kUnitMhz = 1, kUnitVolt = 2, kUnitRatio = 12 };

// What an unread bar shows for its value: it has none.
constexpr char kUnreadValueText[] = "-";
// A step button without an "unavailable" picture shows its normal one this
// faint (of 255) while the bar cannot move.
constexpr int kFadedButtonAlpha = 90;

void FadeIntoDisabledPicture(AlphaButton* button)
{
    TBitmap* normal = button->SourceImage(0);
    TBitmap* disabled = button->SourceImage(KyButtonTx::kStateCount - 1);
    if (disabled->Width() > 0 || normal->Width() <= 0)
        return;
    disabled->Assign(normal);
    disabled->SetPixelFormat(pf32bit);
    for (int y = 0; y < disabled->Height(); ++y) {
        auto* row = static_cast<BYTE*>(disabled->ScanLine(y));
        for (int x = 0; x < disabled->Width(); ++x)
            row[x * 4 + 3] = static_cast<BYTE>(row[x * 4 + 3] * kFadedButtonAlpha / 255);
    }
    button->Reblend();
}

}  // namespace

AdvScrollBar::AdvScrollBar(int itemSlot)
    : m_drag(*this, DotDrag::Axis::kAlongX, [this] { PaintTrack(); }), m_itemSlot(itemSlot)
{
}

AdvScrollBar::~AdvScrollBar()
{
    delete m_track;
}

BiosItemA* AdvScrollBar::Item() const
{
    return KyOcPrimaryItemSet::GetInstance().GetItem(m_itemSlot);
}

int AdvScrollBar::GetHeight() const
{
    return m_track != nullptr ? m_track->Height() : 0;
}

DWORD AdvScrollBar::GetItemId() const
{
    BiosItemA* item = Item();
    return item != nullptr ? item->GetId() : 0;
}

int AdvScrollBar::GetDotOffset() const
{
    return m_dot != nullptr ? m_dot->Left() - GetTrackStart() - GetLeft() : 0;
}

void AdvScrollBar::SetDotOffset(int offset)
{
    if (m_dot != nullptr)
        m_dot->SetLeft(GetTrackStart() + GetLeft() + offset);
}

std::string AdvScrollBar::UnitText(DWORD itemId)
{
    switch (BiosItemKind(itemId)) {
    case kUnitMhz:
        return "(MHz)";
    case kUnitVolt:
        return "(V)";
    case kUnitRatio:
        return "X";
    default:
        return "";
    }
}

std::string AdvScrollBar::ValueText(const BiosItemA& item, int position)
{
    // The graphics clock shows a whole number rather than its formatted text.
    if (BiosItemIndex(item.GetId()) == kGraphicsClockItemIndex && !item.HasExtraStrings())
        return std::to_string(static_cast<int>(item.IndexToValue(position) + 0.5));
    return item.IndexToString(position);
}

void AdvScrollBar::UpdateValueText()
{
    PaintTrack();
    BiosItemA* item = Item();
    if (item == nullptr || m_valueLabel == nullptr)
        return;
    if (!IsRead()) {
        // Nothing the BIOS did not report is shown, nor coloured as pending.
        m_valueLabel->SetText(kUnreadValueText);
        if (m_biosValueLabel != nullptr)
            m_biosValueLabel->SetText("");
        if (m_unitLabel != nullptr)
            m_valueLabel->Font()->SetColor(m_unitLabel->Font()->Color());
        return;
    }
    const int position = GetPosition();
    m_valueLabel->SetText(ValueText(*item, position));
    COLORREF color = m_unitLabel != nullptr ? m_unitLabel->Font()->Color() : m_valueLabel->Font()->Color();
    if (IsAboveWarningLevel(BiosItemIndex(item->GetId()), position))
        color = kDangerValueColor;
    else if (m_biosValueLabel != nullptr && m_valueLabel->GetText() != m_biosValueLabel->GetText())
        color = kPendingValueColor;
    m_valueLabel->Font()->SetColor(color);
}

void AdvScrollBar::Refresh()
{
    if (m_itemSlot < 0)
        return;
    if (m_itemSlot == kSlowSlot)
        Sleep(kSlowSlotDelayMs);
    BiosItemA* item = Item();
    int index = 0;
    // An unread value keeps the position (moving it to index 0 would offer
    // index 0 to the next apply), shows no value and cannot be moved until
    // a read succeeds.
    const bool read = item != nullptr && item->GetCurrentIndex(&index) && index >= 0 && index < item->GetValueCount();
    const bool wasRead = IsRead();
    MarkRead(read);
    ShowReadState(read);
    if (!read) {
        UpdateValueText();
        return;
    }
    SetBiosPosition(index);
    SetPositionIfChanged(index);
    if (!wasRead)
        UpdateValueText();  // the value of a bar that showed none
    if (m_valueLabel == nullptr)
        return;
    if (m_biosValueLabel != nullptr)
        m_biosValueLabel->SetText(m_valueLabel->GetText());
    if (m_unitLabel != nullptr)
        m_valueLabel->Font()->SetColor(m_unitLabel->Font()->Color());
}

void AdvScrollBar::ShowReadState(bool read)
{
    if (read == m_movable)
        return;
    m_movable = read;
    SetEnabled(read);
    // No value, no place on the track.
    if (m_dot != nullptr)
        m_dot->SetVisible(read && IsVisible());
}

void AdvScrollBar::SetVisible(bool visible)
{
    AdvBar::SetVisible(visible);
    if (m_dot != nullptr && !m_movable)
        m_dot->SetVisible(false);
}

void AdvScrollBar::LoadDefault()
{
    if (m_itemSlot < 0)
        return;
    BiosItemA* item = Item();
    if (item == nullptr || item->GetValueCount() <= 0)
        return;
    SetPosition(item->GetInfoValue());
}

void AdvScrollBar::BindItem()
{
    BiosItemA* item = Item();
    if (item == nullptr) {
        MarkRead(false);
        ShowReadState(false);
        return;
    }
    if (m_nameLabel != nullptr)
        m_nameLabel->SetText(item->GetName());
    const int count = item->GetValueCount();
    SetMax(std::max(count - 1, GetMin()));
    if (m_unitLabel != nullptr) {
        m_unitLabel->SetAutoSize(true);
        m_unitLabel->SetText(UnitText(item->GetId()));
    }
    // The value text of the current position, even when the range kept it.
    UpdateValueText();
    Refresh();
    if (count <= 0) {
        MarkRead(false);
        SetEnabled(false);
    }
}

void AdvScrollBar::SetNameText(const std::string& text)
{
    if (m_nameLabel != nullptr)
        m_nameLabel->SetText(text);
}

std::string AdvScrollBar::GetNameText() const
{
    return m_nameLabel != nullptr ? m_nameLabel->GetText() : std::string();
}

void AdvScrollBar::FitLabels()
{
    BiosItemA* item = Item();
    if (item == nullptr)
        return;
    std::vector<std::string> texts;
    for (int position = 0; position < item->GetValueCount(); ++position)
        texts.push_back(ValueText(*item, position));
    int rightEnd = m_track != nullptr ? m_track->Left() : GetLeft();
    if (m_leftButton != nullptr)
        rightEnd = std::min(rightEnd, m_leftButton->Left());
    BarTextRow{m_nameLabel, m_biosValueLabel, m_valueLabel, m_unitLabel, rightEnd}.Fit(texts);
}

void AdvScrollBar::ReblendButtons()
{
    if (m_leftButton != nullptr)
        m_leftButton->Reblend();
    if (m_rightButton != nullptr)
        m_rightButton->Reblend();
}

std::unique_ptr<TBitmap> AdvScrollBar::LoadSkinBitmap(const char* file)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    if (!ReadSkinFile(file, bitmap.get()))
        bitmap->SetSize(0, 0);
    return bitmap;
}

void AdvScrollBar::ShowTrackPicture()
{
    if (m_track != nullptr)
        m_track->Picture()->ExchangeBitmap(m_trackSpare.get());
}

void AdvScrollBar::CreateTrack(TWinControl* owner, int left, int top, const char* file)
{
    m_track = CreateKyImage(owner, left, top, file);
    AddChild(m_track);
}

AlphaButton* AdvScrollBar::CreateStepButton(int left, int top, const char* const names[4])
{
    AlphaButton* button = nullptr;
    CreateAlphaButton(button, left, top, names, nullptr, nullptr, true);
    FadeIntoDisabledPicture(button);
    AddChild(button);
    return button;
}

void AdvScrollBar::CreateDot(BarHost& host, int left, int top, const char* normal, const char* hover)
{
    m_host = &host;
    m_dot = CreateKyImage(host.Window(), left, top, normal);
    m_dotNormal = LoadSkinBitmap(normal);
    m_dotHover = LoadSkinBitmap(hover);
    AddChild(m_dot);
}

void AdvScrollBar::DressLabel(TCustomLabel* label, TWinControl* owner, const RECT& bounds, COLORREF color,
                              TAlignment alignment, const char* text)
{
    label->SetParent(owner);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->SetAlignment(alignment);
    label->SetLayout(tlTop);
    label->Font()->SetName(kLabelFont);
    label->Font()->SetHeight(-kLabelCharHeight);
    label->Font()->SetColor(color);
    label->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    label->SetText(text);
    label->SetVisible(true);
    AddChild(label);
}

TLabel* AdvScrollBar::CreateLabel(TWinControl* owner, const RECT& bounds, COLORREF color, TAlignment alignment,
                                  const char* text)
{
    auto* label = new TLabel(owner);
    DressLabel(label, owner, bounds, color, alignment, text);
    return label;
}

void AdvScrollBar::WireChildren()
{
    if (m_track != nullptr)
        m_track->OnMouseDown = TMouseEvent(this, &AdvScrollBar::TrackMouseDown);
    if (m_dot != nullptr) {
        m_dot->OnMouseDown = TMouseEvent(this, &AdvScrollBar::DotMouseDown);
        m_dot->OnMouseMove = TMouseMoveEvent(this, &AdvScrollBar::DotMouseMove);
        m_dot->OnMouseUp = TMouseEvent(this, &AdvScrollBar::DotMouseUp);
        m_drag.Attach(m_dot);
    }
    if (m_leftButton != nullptr)
        m_leftButton->OnClick = TNotifyEvent(this, &AdvScrollBar::StepClick);
    if (m_rightButton != nullptr)
        m_rightButton->OnClick = TNotifyEvent(this, &AdvScrollBar::StepClick);
}

void AdvScrollBar::StepClick(TObject* sender)
{
    if (!m_movable)
        return;
    // One click, one step.
    if (sender == m_leftButton)
        StepDown();
    else
        StepUp();
}

void AdvScrollBar::TrackMouseDown(TObject*, TMouseButton, TShiftState, int x, int)
{
    if (!m_movable)
        return;  // an unread bar has no value to step from
    // A click moves one step toward the pointer, never jumps.
    const int target = OffsetToPosition(x - GetTrackStart());
    if (target > GetPosition())
        StepUp();
    else if (target < GetPosition())
        StepDown();
}

void AdvScrollBar::DotMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    m_drag.Press(button, x, y);
}

void AdvScrollBar::DotMouseMove(TObject*, TShiftState, int x, int y)
{
    ShowDotHover();
    m_drag.Move(x, y);
}

void AdvScrollBar::DotMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    m_drag.Release();
}

void AdvScrollBar::ShowDotHover()
{
    if (m_dot == nullptr || !m_dot->Enabled())
        return;
    if (m_dotHover && m_dotHover->Width() > 0)
        m_dot->Picture()->SetBitmap(m_dotHover.get());
    if (m_host != nullptr)
        m_host->SetMouseTracker(m_dot, TOutsideTest(this, &AdvScrollBar::DotOutside),
                                TLeaveAction(this, &AdvScrollBar::DotLeft));
}

void AdvScrollBar::DotOutside(TControl* dot, int x, int y, bool& outside)
{
    outside = !(x >= 0 && x <= dot->Width() && y >= 0 && y <= dot->Height());
}

void AdvScrollBar::DotLeft(TControl*)
{
    // A dot disabled meanwhile keeps its disabled picture.
    if (m_dot != nullptr && m_dot->Enabled() && m_dotNormal && m_dotNormal->Width() > 0)
        m_dot->Picture()->SetBitmap(m_dotNormal.get());
}
