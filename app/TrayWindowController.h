#pragma once
// The controller of the main window while the program has no tuning pages:
// it gives the window its skin and colour-keyed shape, puts the tray icon
// in, and shows and hides the window with its shadow. The tuning commands
// have no receiver here (TheTuningCommands is null).

#include "app/AppController.h"
#include "platform/vcl/Form.h"
#include "turboInfo_Intel/src/gui/widget/TShapedForm.h"
#include "vessa/widget/Source/Flicker.h"

class TrayWindowController : public AppController {
public:
    void Init() override;
    void ShowFromTray() override;
    void HideToTray() override;

private:
    void OnTrayDoubleClick(TCustomForm* form);
    void OnTrayRightButtonUp(TCustomForm* form);

    qn::TLayeredFormMaker m_shape;
    vessa::FlickerEliminator m_flicker;
};
