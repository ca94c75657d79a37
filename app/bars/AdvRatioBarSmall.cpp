#include "app/bars/AdvRatioBarSmall.h"

namespace {
constexpr char kSkinFolder[] = "small_bar\\";
constexpr char kBackground[] = "small_bg01.png";
constexpr RatioTrack::Column kColumn{4, 56};
}  // namespace

void AdvRatioBarSmall::Build(BarHost& host, int left, int top)
{
    TWinControl* owner = host.Window();
    CreateTrack(owner, left, top, kSkinFolder, kBackground);
    // The stored offset is measured from the track's top.
    m_storedOffset = GetTrackStart() + top;
    SetPositionIfChanged(0);
    AdoptNumeral(m_track.CreateSmallNumeral(GetCoreIndex()));
    ReadRange();
    UpdateValueText();
}

void AdvRatioBarSmall::SetEnabled(bool enabled)
{
    AdvRatioBar::SetEnabled(enabled);
    UpdateValueText();
}

void AdvRatioBarSmall::UpdateValueText()
{
    if (Track() != nullptr)
        PaintTrack(false, kColumn);
}

int AdvRatioBarSmall::GetDotOffset() const
{
    return GetTrackStart() + GetTop() - m_storedOffset;
}

void AdvRatioBarSmall::SetDotOffset(int offset)
{
    m_storedOffset = GetTrackStart() + GetTop() - offset;
}
