#pragma once
// The core count box of the CPU ratio pages: "N cores" in a box between a
// left and a right button that cycle through 1 ... the ratio item's core
// count. The page reads the chosen count and follows its changes.

#include <string>

#include "app/controls/AlphaButton.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Label.h"

class KyImage;

class AdvCoreBar {
public:
    AdvCoreBar() = default;
    AdvCoreBar(const AdvCoreBar&) = delete;
    AdvCoreBar& operator=(const AdvCoreBar&) = delete;

    // Creates the box, its two labels and buttons on `owner` (the main
    // form) with (left, top) the caption's corner. Starts at index 0.
    void Build(TWinControl* owner, int left, int top);

    // Index v shows v + 1 cores; no range check. Then the change callback.
    void SetValue(int value);
    int GetValue() const { return m_value; }
    // v + 1 followed by " core", with "s" for more than one; the empty text
    // for v + 1 <= 0.
    static std::string CountText(int value);

    void SetCaption(const std::string& caption);
    std::string GetCaption() const;
    std::string GetCountText() const;

    void SetVisible(bool visible);
    // Disabled: the buttons ignore clicks and both labels turn grey.
    void SetEnabled(bool enabled);

    void SetOnChange(const TNotifyEvent& onChange) { m_onChange = onChange; }

    KyImage* Box() const { return m_box; }
    TLabel* CaptionLabel() const { return m_captionLabel; }
    TLabel* CountLabel() const { return m_countLabel; }
    AlphaButton* LeftButton() const { return m_leftButton; }
    AlphaButton* RightButton() const { return m_rightButton; }

private:
    // Right: one more core, after the last the first; left: one fewer,
    // before the first the last. Nothing without cores.
    void StepClick(TObject* sender);

    KyImage* m_box = nullptr;
    TLabel* m_captionLabel = nullptr;
    TLabel* m_countLabel = nullptr;
    AlphaButton* m_leftButton = nullptr;
    AlphaButton* m_rightButton = nullptr;
    int m_value = 0;
    TNotifyEvent m_onChange;
};
