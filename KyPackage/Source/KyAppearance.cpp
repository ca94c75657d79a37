#include "KyPackage/Source/KyAppearance.h"

#include <memory>
#include <vector>

#include "KyPackage/Source/KyCustomControl.h"

void KyCtrlAppearance::SetBitmap(TBitmap* bitmap, int index)
{
    m_control->SetStateBitmap(bitmap, index);
}

TBitmap* KyCtrlAppearance::GetBitmap(int index)
{
    return m_control->GetStateBitmap(index);
}

bool KyCtrlAppearance::LoadStateBitmaps(const std::string& folder, const std::string* names, int count, int firstIndex)
{
    std::vector<std::unique_ptr<TBitmap>> bitmaps;
    for (int i = 0; i < count; ++i)
        bitmaps.push_back(std::make_unique<TBitmap>());

    // A folder ending in a separator or a bare drive ("C:") is used as it is.
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != ':')
        prefix += '\\';

    for (int i = 0; i < count; ++i)
        if (!names[i].empty())
            bitmaps[i]->LoadFromFile(prefix + names[i]);
    for (int i = 0; i < count; ++i)
        if (!names[i].empty())
            SetBitmap(bitmaps[i].get(), firstIndex + i);
    return true;
}

bool KyFourStateAppearance::LoadBitmaps(const std::string& folder, const std::string& raised, const std::string& sunken,
                                        const std::string& focused, const std::string& disabled)
{
    const std::string names[] = {raised, sunken, focused, disabled};
    return LoadStateBitmaps(folder, names, 4, m_firstIndex);
}

void KyFourStateAppearance::AssignTo(TPersistent* destination)
{
    auto* target = As<KyFourStateAppearance>(destination);
    target->SetRaisedBmp(RaisedBmp());
    target->SetSunkenBmp(SunkenBmp());
    target->SetFocusedBmp(FocusedBmp());
    target->SetDisabledBmp(DisabledBmp());
}

bool KyThreeStateAppearance::LoadBitmaps(const std::string& folder, const std::string& normal,
                                         const std::string& focused, const std::string& disabled)
{
    const std::string names[] = {normal, focused, disabled};
    return LoadStateBitmaps(folder, names, 3, m_firstIndex);
}

void KyThreeStateAppearance::AssignTo(TPersistent* destination)
{
    auto* target = As<KyThreeStateAppearance>(destination);
    target->SetNormalBmp(NormalBmp());
    target->SetFocusedBmp(FocusedBmp());
    target->SetDisabledBmp(DisabledBmp());
}

KyChkBoxAppearance::KyChkBoxAppearance(KyCustomControl* control)
    : m_check(control, 4), m_uncheck(control, 0), m_gray(control, 8)
{
}

void KyChkBoxAppearance::AssignTo(TPersistent* destination)
{
    auto* target = As<KyChkBoxAppearance>(destination);
    target->SetUncheck(Uncheck());
    target->SetCheck(Check());
    target->SetGray(Gray());
}

KyRadioBtnAppearance::KyRadioBtnAppearance(KyCustomControl* control)
    : KyCtrlAppearance(control), m_check(control, 4), m_uncheck(control, 0)
{
}

void KyRadioBtnAppearance::AssignTo(TPersistent* destination)
{
    auto* target = As<KyRadioBtnAppearance>(destination);
    target->SetUncheck(Uncheck());
    target->SetCheck(Check());
}
