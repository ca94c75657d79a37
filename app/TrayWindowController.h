#pragma once
// The controller of the main window until the application controller
// exists: it gives the window its skin and colour-keyed shape, has the
// window's contents built (the program hands in its page layout), lets the
// Close, Minimize and "More Setting" controls work, puts the tray icon in,
// and shows and hides the window with its shadow. Apply, Undo, Save Profile
// and the profile box do nothing yet, and the tuning commands have no
// receiver here (TheTuningCommands is null): nothing is written.

#include "app/AppController.h"
#include "platform/vcl/Form.h"
#include "turboInfo_Intel/src/gui/widget/TShapedForm.h"
#include "vessa/widget/Source/Flicker.h"

// What fills the main window, and its two states.
class WindowContents {
public:
    virtual ~WindowContents() = default;
    // Builds the controls; MainForm's control references are set after.
    virtual void Build() = 0;
    virtual void ShowPages() = 0;
    virtual void Collapse() = 0;
};

// The contents the controller builds at Init; without any the window
// shows its face alone.
void SetWindowContents(WindowContents* contents);

class TrayWindowController : public AppController {
public:
    void Init() override;
    void ShowFromTray() override;
    void HideToTray() override;

private:
    void OnTrayDoubleClick(TCustomForm* form);
    void OnTrayRightButtonUp(TCustomForm* form);
    void WireWindowControls();
    void OnCloseClick(TObject* sender);
    void OnMinimizeClick(TObject* sender);
    void OnMoreSettingClick(TObject* sender);

    qn::TLayeredFormMaker m_shape;
    vessa::FlickerEliminator m_flicker;
};
