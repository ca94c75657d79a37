#include "app/bars/AdvRatioBar.h"

#include "KyPackage/Source/KyImage.h"
#include "app/controls/ControlFactory.h"
#include "tuning/KyOcRatio.h"

namespace {

const std::vector<AdvBar*>* g_coreRatioBars = nullptr;

bool HasRatioItem()
{
    return KyOcRatio::GetInstance().GetCoreCount() != 0;
}

}  // namespace

void AdvRatioBar::SetCoreRatioBars(const std::vector<AdvBar*>* bars)
{
    g_coreRatioBars = bars;
}

bool AdvRatioBar::IsLead() const
{
    return g_coreRatioBars == nullptr || g_coreRatioBars->empty() || g_coreRatioBars->front() == this;
}

void AdvRatioBar::CreateTrack(TWinControl* owner, int left, int top, const char* skinFolder, const char* background)
{
    AddChild(m_track.Create(owner, left, top, skinFolder, background));
}

void AdvRatioBar::ShowNumeral(const std::string& file, int left, int top)
{
    KyImage* fresh = CreateKyImage(Track()->Parent(), left, top, file.c_str());
    if (m_numberImage == nullptr) {
        AdoptNumeral(fresh);
        return;
    }
    // Numbered again (the turbo pages number every bar alike): the first
    // image, a child already, takes the new picture.
    m_numberImage->Picture()->Assign(fresh->Picture());
    m_numberImage->SetBounds(left, top, fresh->Width(), fresh->Height());
    delete fresh;
}

void AdvRatioBar::AdoptNumeral(KyImage* numeral)
{
    m_numberImage = numeral;
    AddChild(numeral);
}

void AdvRatioBar::ReadRange()
{
    SetPositionIfChanged(0);
    SetMax(KyOcRatio::GetInstance().GetRatioCount() - 1);
    int ratio = 0;
    if (ReadCoreRatio(ratio))
        SetPositionIfChanged(ratio);
}

bool AdvRatioBar::ReadCoreRatio(int& ratio)
{
    ratio = KyOcRatio::GetInstance().GetCoreRatio(static_cast<unsigned>(m_coreIndex));
    // -1 is a failed read, not the lowest ratio.
    const bool read = ratio >= GetMin() && ratio <= GetMax() && KyOcRatio::GetInstance().GetRatioCount() > 0;
    MarkRead(read);
    if (read)
        SetBiosPosition(ratio);
    return read;
}

void AdvRatioBar::Refresh()
{
    if (!m_enabledLook || !HasRatioItem())
        return;
    int ratio = 0;
    if (!ReadCoreRatio(ratio))
        return;  // stays where it is, unread
    if ((KyOcRatio::GetInstance().IsPerCore() || IsLead()) && ratio != GetPosition()) {
        SetPositionIfChanged(ratio);
        return;
    }
    ShowBiosComparison();
}

void AdvRatioBar::LoadDefault()
{
    if (m_enabledLook && HasRatioItem())
        SetPositionIfChanged(KyOcRatio::GetInstance().GetInfoValue());
}

DWORD AdvRatioBar::GetItemId() const
{
    return m_enabledLook && HasRatioItem() ? KyOcRatio::GetInstance().GetItemId() : 0;
}

void AdvRatioBar::SetEnabled(bool enabled)
{
    m_enabledLook = enabled;
    AdvBar::SetEnabled(enabled);
}

void AdvRatioBar::LeadOthers()
{
    if (g_coreRatioBars == nullptr || KyOcRatio::GetInstance().IsPerCore())
        return;
    // A copy: a follower's callback may not change the list under the loop.
    const std::vector<AdvBar*> bars = *g_coreRatioBars;
    for (AdvBar* bar : bars)
        if (bar != this)
            bar->SetPositionIfChanged(GetPosition());
}

void AdvRatioBar::PaintTrack(bool yellow, RatioTrack::Column column)
{
    if (m_enabledLook)
        m_track.Paint(GetDotOffset(), yellow, column);
    else
        m_track.PaintBare();
}
