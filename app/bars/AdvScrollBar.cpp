#include "app/bars/AdvScrollBar.h"

#include <algorithm>

#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyLabel.h"
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

}  // namespace

AdvScrollBar::AdvScrollBar(int itemSlot) : m_itemSlot(itemSlot) {}

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
    // An unread value keeps what the bar shows: moving it to index 0 would
    // offer index 0 to the next apply.
    const bool read = item != nullptr && item->GetCurrentIndex(&index) && index >= 0 &&
                      index < item->GetValueCount();
    MarkRead(read);
    if (!read)
        return;
    SetPositionIfChanged(index);
    if (m_valueLabel == nullptr)
        return;
    if (m_biosValueLabel != nullptr)
        m_biosValueLabel->SetText(m_valueLabel->GetText());
    if (m_unitLabel != nullptr)
        m_valueLabel->Font()->SetColor(m_unitLabel->Font()->Color());
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
        SetEnabled(false);
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

void AdvScrollBar::ShowTrackPicture(TBitmap* bitmap)
{
    if (m_track != nullptr)
        m_track->Picture()->SetBitmap(bitmap);
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
    }
    if (m_leftButton != nullptr)
        m_leftButton->OnClick = TNotifyEvent(this, &AdvScrollBar::StepClick);
    if (m_rightButton != nullptr)
        m_rightButton->OnClick = TNotifyEvent(this, &AdvScrollBar::StepClick);
}

void AdvScrollBar::StepClick(TObject* sender)
{
    // One click, one step.
    if (sender == m_leftButton)
        StepDown();
    else
        StepUp();
}

void AdvScrollBar::TrackMouseDown(TObject*, TMouseButton, TShiftState, int x, int)
{
    // A click moves one step toward the pointer, never jumps.
    const int target = OffsetToPosition(x - GetTrackStart());
    if (target > GetPosition())
        StepUp();
    else if (target < GetPosition())
        StepDown();
}

void AdvScrollBar::DotMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft)
        return;
    m_dragging = true;
    m_dragStartX = x;
    m_dragStartY = y;
}

void AdvScrollBar::DotMouseMove(TObject*, TShiftState, int x, int)
{
    ShowDotHover();
    if (!m_dragging)
        return;
    const int length = std::max(GetTrackLength(), 0);
    const int current = GetDotOffset();
    const int offset = std::max(0, std::min(current + x - m_dragStartX, length));
    if (offset == current)
        return;
    // The dot follows the pointer pixel by pixel; the value follows the
    // nearest position, and only a new position is announced.
    SetDotOffset(offset);
    const int position = OffsetToPosition(offset);
    if (position == GetPosition()) {
        PaintTrack();
        return;
    }
    SetPositionQuietly(position);
    NotifyChange();
}

void AdvScrollBar::DotMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    // The dot snaps to the exact place of its position; the position was
    // announced while it was dragged.
    SetDotOffset(PositionToOffset(GetPosition()));
    PaintTrack();
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
