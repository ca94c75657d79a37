#include "app/bars/AdvCoreRatio.h"

#include <algorithm>

#include "KyPackage/Source/KyImage.h"

namespace {
constexpr char kSkinFolder[] = "small_bar\\";
constexpr char kBackground[] = "small_bg01.png";
constexpr RatioTrack::Column kColumn{4, 56};
}  // namespace

void AdvCoreRatio::Build(TWinControl* owner, int left, int top)
{
    m_track.Create(owner, left, top, kSkinFolder, kBackground);
    m_numberImage = m_track.CreateSmallNumeral(m_coreIndex);
    m_numberImage->SetVisible(false);
    m_track.Paint(m_offset, false, kColumn);
}

void AdvCoreRatio::SetVisible(bool visible)
{
    if (Track() == nullptr)
        return;
    Track()->SetVisible(visible);
    m_numberImage->SetVisible(visible);
}

bool AdvCoreRatio::IsVisible() const
{
    return Track() != nullptr && Track()->Visible();
}

int AdvCoreRatio::PositionToOffset(int position, int min, int max, int length)
{
    if (length <= 0 || max <= min)
        return 0;
    const double offset = static_cast<double>(position - min) / (max - min) * length + 0.5;
    return static_cast<int>(std::max(0.0, std::min(offset, static_cast<double>(length))));
}

void AdvCoreRatio::SetPosition(int position)
{
    position = std::min(position, m_max);
    position = std::max(position, m_min);
    m_position = position;
    m_offset = PositionToOffset(position, m_min, m_max, kTrackLength);
    if (Track() != nullptr)
        m_track.Paint(m_offset, false, kColumn);
}

void AdvCoreRatio::SetMax(int max)
{
    if (max == m_max)
        return;
    m_max = max;
    SetPosition(m_position);
}

void AdvCoreRatio::SetMin(int min)
{
    if (min == m_min)
        return;
    m_min = min;
    SetPosition(m_position);
}
