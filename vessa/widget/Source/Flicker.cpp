#include "vessa/widget/Source/Flicker.h"

#include "vessa/System/VessaAssert.h"

namespace vessa {

FlickerEliminator::~FlickerEliminator()
{
    Detach();
}

void FlickerEliminator::Attach(TControl* control)
{
    VESSA_ASSERT(m_control == NULL);
    if (control == nullptr)
        return;
    m_control.Set(control);
    m_previous = control->WindowProc;
    control->WindowProc = TWndMethod(this, &FlickerEliminator::WindowProc);
}

TControl* FlickerEliminator::Detach()
{
    TControl* control = m_control;
    if (control != nullptr)
        control->WindowProc = m_previous;
    m_control.Set(nullptr);
    m_previous = nullptr;
    return control;
}

void FlickerEliminator::WindowProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;  // drawn by the paint that follows
        return;
    }
    m_previous(message);
}

}  // namespace vessa
