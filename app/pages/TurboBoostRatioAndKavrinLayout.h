#pragma once
// The turbo ratio page of a CPU with the core-unlock feature: beside the
// large bar and the core count box, the "Kavrin:" on/off box. Switched
// on, the feature drives the ratios itself: the page then shows its
// pictures of unlocked cores instead of the choice of cores.
//
// The box is the main window's switch for the feature: the page takes the
// state the message window announces (WM_USER+39) and reports every change
// of the box back to it.

#include <vector>

#include "app/pages/TurboBoostRatioLayout.h"
#include "platform/vcl/Messages.h"

class AdvOnOffBar;
class KyImage;

class TurboBoostRatioAndKavrinLayout : public TurboBoostRatioLayout {
public:
    TurboBoostRatioAndKavrinLayout();
    ~TurboBoostRatioAndKavrinLayout() override;

    // WM_USER+39 to the main window: wParam 1 on, 0 off; anything else is
    // not a state and changes nothing.
    void OnKavrinMessage(TMessage& message);
    // The box changed (by the user or by the message).
    void OnKavrinBarChanged(TObject* sender);

    AdvOnOffBar* OnOffBox() const { return m_onOffBox; }
    const std::vector<KyImage*>& GetKavrinBars() const { return m_kavrinBars; }

protected:
    void BuildBars(std::vector<AdvBar*>& bars) override;
    void ShowBars(bool show) override;

private:
    void BuildKavrinImages();
    // Off: the core choice; on: the pictures of unlocked cores. Nothing
    // while the box is hidden.
    void UpdateKavrinState();
    void ShowKavrinImages(bool show);

    AdvOnOffBar* m_onOffBox = nullptr;
    std::vector<KyImage*> m_kavrinBars;
    std::vector<KyImage*> m_kavrinNumerals;
};
