#pragma once
// What the page layout needs of the main window beyond what the bars need:
// the skin host its controls blend over, the window's drop shadow, the
// slots for the window's own buttons (the layout makes them, the
// controller wires them) and the receiver of the core-unlock message. The
// main form is the program's host.

#include "app/bars/BarHost.h"
#include "app/skin/SkinFiles.h"
#include "platform/vcl/Classes.h"
#include "platform/vcl/Messages.h"

class AlphaButton;
class KyCheckBoxTx;

class PageHost : public BarHost {
public:
    // The window, its face and its page pictures as the skin files see them.
    virtual const SkinHost& Skin() const = 0;
    // Picture(which) as it is about to be shown: a face that start-up only
    // sized is read now.
    virtual TImage* ShownPicture(HostPicture which) { return Picture(which); }
    // The drop shadow of the collapsed, middle and large window.
    virtual void ShowSmallShadow() = 0;
    virtual void ShowMiddleShadow() = 0;
    virtual void ShowLargeShadow() = 0;
    // Moves the window back inside the work area when it reaches past it.
    virtual void KeepInsideWorkArea() = 0;

    // The window's own controls; the page layout makes them.
    AlphaButton* CloseButton = nullptr;
    AlphaButton* MinimizeButton = nullptr;
    KyCheckBoxTx* MoreSettingBox = nullptr;
    AlphaButton* SaveProfileButton = nullptr;
    AlphaButton* ApplyButton = nullptr;
    AlphaButton* UndoButton = nullptr;

    // Set by the core-unlock page; receives the core-unlock message.
    TWndMethod OnCoreUnlock;

protected:
    ~PageHost() = default;
};
