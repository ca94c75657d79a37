#include "app/bars/AdvRatioBarMajor.h"

#include "tuning/KyOcRatio.h"

void AdvRatioBarMajor::SetCoreNumber(int core)
{
    ShowNumeral("Rome_number\\" + CoreNumeralFile(core), m_left + 25, m_top + 179);
    TWinControl* owner = Track()->Parent();
    PlaceReadOuts(std::make_unique<FloatingLed>(owner), m_left + 100, m_top + 42,
                  KyOcRatio::GetInstance().HasFractionalStep() ? 1 : 0, std::make_unique<LargeGreendLed>(owner),
                  m_left + 188, m_top + 42);
}
