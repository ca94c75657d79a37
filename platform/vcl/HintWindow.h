#pragma once
// The small topmost popup that shows a control's Hint text near the pointer.

#include <string>

#include "platform/vcl/GraphicControl.h"

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    // Shows `text` with its top-left corner at the screen point.
    void ActivateHint(POINT screenPoint, const std::string& text);
    void ReleaseHint();
    bool IsShowing() const { return m_showing; }

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    bool m_showing = false;
};
