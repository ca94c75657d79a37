#pragma once
// Standard controls built on the system classes, and the panel.

#include "platform/vcl/GraphicControl.h"

// A one-line edit box over the system "EDIT" class.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length);  // 0 = no limit
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    void SelectAll();
    void Dispatch(TMessage& message) override;
    // Every change of the text, by the user or the program.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    int m_maxLength = 0;
    bool m_readOnly = false;
    TBorderStyle m_borderStyle = bsSingleBorder;
};

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// A plain container with an optional bevel and a centred caption.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);
    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel bevel);

protected:
    void Paint() override;

private:
    TPanelBevel m_bevelOuter = bvRaised;
};
