#pragma once
// Keeps a control from erasing its background before it paints: image-drawn
// windows then do not flicker. It takes over the control's window procedure
// and hands every message but WM_ERASEBKGND to the one it replaced.

#include "platform/vcl/Control.h"
#include "vessa/widget/Source/ComponentWatch.h"

namespace vessa {

class FlickerEliminator {
public:
    FlickerEliminator() = default;
    // Detaches: the control, when it still exists, gets its procedure back.
    ~FlickerEliminator();
    FlickerEliminator(const FlickerEliminator&) = delete;
    FlickerEliminator& operator=(const FlickerEliminator&) = delete;

    // One control per eliminator: attaching a second is a contract violation.
    void Attach(TControl* control);
    // Restores the control's own procedure; returns the control (null when
    // none is attached or it has been destroyed).
    TControl* Detach();
    TControl* Control() const { return m_control; }

private:
    void WindowProc(TMessage& message);

    ComponentWatch<TControl> m_control;
    TWndMethod m_previous;
};

}  // namespace vessa
