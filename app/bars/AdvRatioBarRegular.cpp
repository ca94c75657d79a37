#include "app/bars/AdvRatioBarRegular.h"

#include <algorithm>

#include "KyPackage/Source/KyImage.h"
#include "app/controls/ControlFactory.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/KyOcRatio.h"

namespace {

constexpr char kBackground[] = "bar_bg01.png";
constexpr char kDotSkin[] = "dot_d.png";
constexpr int kDotX = 2;
constexpr int kIntegerDigits = 2;
constexpr int kFrequencyDigits = 4;

// The bus clock (the primary set's first slot) in MHz; 0 when it cannot
// be read, so the frequency shows 0 rather than a made-up clock.
double BusClock()
{
    BiosItemA* item = KyOcPrimaryItemSet::GetInstance().GetItem(KyOcPrimaryItemSet::kFsbSlot);
    double clock = 0;
    if (item == nullptr || !item->GetCurrentValue(&clock))
        return 0;
    return clock;
}

}  // namespace

AdvRatioBarRegular::AdvRatioBarRegular(int coreIndex)
    : AdvRatioBar(coreIndex), m_drag(*this, DotDrag::Axis::kAlongY, [this] { Repaint(); })
{
}

void AdvRatioBarRegular::Build(BarHost& host, int left, int top)
{
    TWinControl* owner = host.Window();
    m_host = &host;
    m_left = left;
    m_top = top;
    CreateTrack(owner, left, top, "", kBackground);
    Track()->OnMouseMove = TMouseMoveEvent(this, &AdvRatioBarRegular::TrackMouseMove);
    Track()->OnMouseDown = TMouseEvent(this, &AdvRatioBarRegular::TrackMouseDown);

    m_dot = CreateKyImage(owner, left + kDotX, top + kTrackStart, kDotSkin);
    m_dot->SetVisible(false);
    m_dot->OnMouseDown = TMouseEvent(this, &AdvRatioBarRegular::DotMouseDown);
    m_dot->OnMouseMove = TMouseMoveEvent(this, &AdvRatioBarRegular::DotMouseMove);
    m_dot->OnMouseUp = TMouseEvent(this, &AdvRatioBarRegular::DotMouseUp);
    m_drag.Attach(m_dot);

    SetPositionIfChanged(0);
    SetCoreNumber(GetCoreIndex());
    ReadRange();
    Repaint();
}

void AdvRatioBarRegular::SetCoreNumber(int core)
{
    ShowNumeral("numbers\\" + CoreNumeralFile(core), m_left + 25, m_top - 21);
    const bool fractional = KyOcRatio::GetInstance().HasFractionalStep();
    TWinControl* owner = Track()->Parent();
    if (fractional)
        PlaceReadOuts(std::make_unique<MiddleFloatingLed>(owner), m_left + 3, m_top + 174, 1,
                      std::make_unique<SmallFloatingLed>(owner), m_left - 2, m_top + 227);
    else
        PlaceReadOuts(std::make_unique<FloatingLed>(owner), m_left + 10, m_top + 174, 0,
                      std::make_unique<SmallFloatingLed>(owner), m_left - 2, m_top + 227);
}

void AdvRatioBarRegular::PlaceReadOuts(std::unique_ptr<FloatingLed> value, int valueLeft, int valueTop,
                                       int fractionDigits, std::unique_ptr<FloatingLed> frequency, int frequencyLeft,
                                       int frequencyTop)
{
    // Numbering the bar again keeps the read-outs it has.
    if (!m_valueLed) {
        m_valueLed = std::move(value);
        m_frequencyLed = std::move(frequency);
    }
    m_valueLed->SetFormat(kIntegerDigits, fractionDigits);
    m_valueLed->SetLeft(valueLeft);
    m_valueLed->SetTop(valueTop);
    m_valueLed->SetVisible(true);
    m_frequencyLed->SetFormat(kFrequencyDigits, 0);
    m_frequencyLed->SetLeft(frequencyLeft);
    m_frequencyLed->SetTop(frequencyTop);
    m_frequencyLed->SetVisible(true);
    ShowBiosComparison();
}

void AdvRatioBarRegular::Repaint()
{
    // Yellow while the dot shows.
    PaintTrack(m_dot->Visible(), RatioTrack::Column{3, 146});
}

void AdvRatioBarRegular::ShowBiosComparison()
{
    if (m_dot == nullptr)
        return;  // still building
    Repaint();
    if (!m_valueLed)
        return;
    KyOcRatio& ratio = KyOcRatio::GetInstance();
    m_valueLed->SetHighlighted(ratio.GetCoreRatio(static_cast<unsigned>(GetCoreIndex())) != GetPosition());
    const double value = ratio.IndexToValue(GetPosition());
    m_valueLed->SetValue(value);
    m_frequencyLed->SetValue(value * BusClock());
}

void AdvRatioBarRegular::UpdateValueText()
{
    ShowBiosComparison();
    LeadOthers();
}

void AdvRatioBarRegular::ShowReadOuts(bool visible)
{
    if (!m_valueLed)
        return;
    m_valueLed->SetVisible(visible);
    m_frequencyLed->SetVisible(visible);
}

void AdvRatioBarRegular::SetVisible(bool visible)
{
    AdvBar::SetVisible(visible);
    if (!visible && m_dot != nullptr)
        m_dot->SetVisible(false);
    if (HasEnabledLook())
        ShowReadOuts(visible);
}

void AdvRatioBarRegular::SetEnabled(bool enabled)
{
    AdvRatioBar::SetEnabled(enabled);
    if (enabled) {
        ShowReadOuts(IsVisible());
        UpdateValueText();
    } else {
        ShowReadOuts(false);
        Repaint();  // the bare background
    }
}

int AdvRatioBarRegular::GetDotOffset() const
{
    return GetTrackStart() + GetTop() - m_dot->Top();
}

void AdvRatioBarRegular::SetDotOffset(int offset)
{
    if (m_dot != nullptr)
        m_dot->SetTop(GetTrackStart() + GetTop() - offset);
}

void AdvRatioBarRegular::TrackMouseMove(TObject*, TShiftState, int, int)
{
    if (m_dot->Visible())
        return;
    m_dot->SetVisible(true);
    m_dot->BringToFront();
    if (m_host != nullptr)
        m_host->SetMouseTracker(Track(), TOutsideTest(this, &AdvRatioBarRegular::TrackOutside),
                                TLeaveAction(this, &AdvRatioBarRegular::TrackLeft));
    Repaint();
}

void AdvRatioBarRegular::TrackOutside(TControl* track, int x, int y, bool& outside)
{
    outside = x < 0 || x > track->Width() || y < 0 || y > track->Height();
}

void AdvRatioBarRegular::TrackLeft(TControl*)
{
    m_dot->SetVisible(false);
    Repaint();
}

void AdvRatioBarRegular::TrackMouseDown(TObject*, TMouseButton, TShiftState, int, int y)
{
    const int target = OffsetToPosition(kTrackStart - y);
    if (target > GetPosition())
        StepUp();
    else if (target < GetPosition())
        StepDown();
}

void AdvRatioBarRegular::DotMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    m_drag.Press(button, x, y);
}

void AdvRatioBarRegular::DotMouseMove(TObject*, TShiftState, int x, int y)
{
    m_drag.Move(x, y);
}

void AdvRatioBarRegular::DotMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    m_drag.Release();
}
