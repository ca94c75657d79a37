#include "app/bars/AdvGpuBar.h"

#include <algorithm>
#include <vector>

#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyLabel.h"
#include "app/controls/AlphaButton.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "platform/kyacpi/KyAcpi.h"

namespace {

constexpr char kDisabledSlider[] = "small_slider01_un.png";
constexpr char kDisabledDot[] = "small_dot_un.png";

constexpr AdvSmallBar::Look kGpuLook{RGB(104, 221, 255), true,         -300, 120, -150, -100, -55,
                                     "right_un.png",     "left_un.png"};

struct TextColors {
    COLORREF name, biosValue, value;
};
constexpr TextColors kEnabledColors{RGB(104, 221, 255), RGB(255, 255, 255), RGB(40, 254, 216)};
constexpr TextColors kDisabledColors{RGB(52, 110, 127), RGB(127, 127, 127), RGB(20, 127, 108)};

// Words of the link table: a header, then (item id, value index) pairs.
constexpr DWORD kEndOfLinks = 0xFFFFFFFF;

// Set while a link update runs: a bar moved by a link does not move its
// own linked bars, so two bars linked to each other cannot move each other
// back and forth.
bool g_updatingLinks = false;

}  // namespace

AdvGpuBar::AdvGpuBar(int itemSlot) : AdvSmallBar(itemSlot, kGpuLook) {}

void AdvGpuBar::Build(BarHost& host, int left, int top)
{
    m_sliderDisabled = LoadSkinBitmap(kDisabledSlider);
    m_dotDisabled = LoadSkinBitmap(kDisabledDot);
    AdvSmallBar::Build(host, left, top);
}

void AdvGpuBar::SetEnabled(bool enabled)
{
    for (TControl* control : {static_cast<TControl*>(m_leftButton), static_cast<TControl*>(m_rightButton),
                              static_cast<TControl*>(m_track), static_cast<TControl*>(m_dot)})
        if (control != nullptr)
            control->SetEnabled(enabled);
    TBitmap* dot = enabled ? m_dotNormal.get() : m_dotDisabled.get();
    if (m_dot != nullptr && dot != nullptr && dot->Width() > 0) {
        m_dot->Picture()->SetBitmap(dot);
        m_dot->Invalidate();
    }
    PaintTrack();
    const TextColors& colors = enabled ? kEnabledColors : kDisabledColors;
    if (m_nameLabel != nullptr)
        m_nameLabel->Font()->SetColor(colors.name);
    if (m_biosValueLabel != nullptr)
        m_biosValueLabel->Font()->SetColor(colors.biosValue);
    if (m_valueLabel != nullptr)
        m_valueLabel->Font()->SetColor(colors.value);
    if (m_unitLabel != nullptr)
        m_unitLabel->Font()->SetColor(colors.value);
}

void AdvGpuBar::PaintTrack()
{
    const bool enabled = m_track != nullptr && m_track->Enabled();
    const bool filled =
        PaintSlider(enabled ? m_sliderImage.get() : m_sliderDisabled.get(), enabled ? kFillColor : kDisabledFillColor);
    // The table is read once per paint, and only when the fill shows.
    if (enabled && m_linked && filled)
        UpdateLinkedBars(GetPosition());
}

void AdvGpuBar::UpdateLinkedBars(int position)
{
    if (g_updatingLinks || m_linkedBars.empty())
        return;
    std::vector<DWORD> words(kAcpiPackageBufferSize / sizeof(DWORD), 0);
    int size = kAcpiPackageBufferSize;
    if ((AcpiReadItemData(kLinkTableItemId, position, words.data(), &size) & 1) == 0)
        return;
    // Only the words the BIOS filled count, never more than the buffer.
    const size_t wordCount = static_cast<size_t>(std::max(0, std::min(size, kAcpiPackageBufferSize))) / 4;
    const KyOcPrimaryItemSet& items = KyOcPrimaryItemSet::GetInstance();
    g_updatingLinks = true;
    for (size_t i = 1; i + 1 < wordCount && words[i] != kEndOfLinks; i += 2)
        for (int slot = KyOcPrimaryItemSet::kFirstFreePosition; slot < items.GetItemCount(); ++slot) {
            const BiosItemA* item = items.GetItem(slot);
            if (item != nullptr && item->GetId() == words[i])
                m_linkedBars.front()->SetPositionIfChanged(static_cast<int>(words[i + 1]));
        }
    g_updatingLinks = false;
}
