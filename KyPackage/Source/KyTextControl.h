#pragma once
// The caption that the text controls (KyButtonTx, KyCheckBoxTx,
// KyRadioButtonTx) draw over their state image: centred in the text bounds,
// in a colour per state, shifted by (dispX, dispY) while shown sunken. Every
// state change redraws the image and then the caption.

#include <windows.h>

#include <string>

#include "platform/vcl/Canvas.h"
#include "platform/vcl/Colors.h"
#include "platform/vcl/GraphicsObjects.h"

// Where and how a caption is drawn.
class KyCaption {
public:
    void SetDisp(int dx, int dy)
    {
        dispX = dx;
        dispY = dy;
    }
    void SetBounds(int left, int top, int width, int height)
    {
        textBounds = RECT{left, top, left + width, top + height};
    }
    // The next drawing is the sunken one.
    void MarkSunken() { sunkenText = true; }

    // Draws `text` in `font` and `color` (RGB) on `canvas`; consumes the
    // sunken mark, which moves the area's top-left corner by the shift.
    void Draw(TCanvas* canvas, TFont* font, const std::string& text, COLORREF color);

    int dispX = 2;
    int dispY = 2;
    bool sunkenText = false;
    RECT textBounds{0, 0, 0, 0};
    bool wordWrap = false;
};

// The text-control part over a skinned control `Base` with caption colours
// `FontColors`. Derived classes pick the colour and how a redraw reaches
// the window.
template <class Base, class FontColors>
class KyTextControl : public Base {
public:
    explicit KyTextControl(TComponent* owner) : Base(owner), m_fontColors(new FontColors)
    {
        m_savedFontChange = this->Font()->OnChange;
        this->Font()->OnChange = TNotifyEvent(this, &KyTextControl::FontChange);
        m_fontColors->SetOnChange(TNotifyEvent(this, &KyTextControl::FontColorChange));
    }

    ~KyTextControl() override
    {
        this->Font()->OnChange = m_savedFontChange;
        delete m_fontColors;
    }

    void SetDisp(int dx, int dy) { m_caption.SetDisp(dx, dy); }
    void SetTextBounds(int left, int top, int width, int height)
    {
        m_caption.SetBounds(left, top, width, height);
        DoRepaint();
    }
    // Every move or resize makes the whole requested size the caption area.
    void SetBounds(int left, int top, int width, int height) override
    {
        SetTextBounds(0, 0, width, height);
        Base::SetBounds(left, top, width, height);
    }
    void SetText(const std::string& text) override
    {
        Base::SetText(text);
        DoRepaint();
    }
    FontColors* GetFontColors() { return m_fontColors; }
    void SetFontColors(FontColors* colors) { m_fontColors->Assign(colors); }
    const KyCaption& TextLayout() const { return m_caption; }

protected:
    void SetWordWrapFlag(bool wrap)
    {
        m_caption.wordWrap = wrap;
        DoRepaint();
    }

    void ShowBitmap(int index) override
    {
        Base::ShowBitmap(index);
        DoRepaint();
    }
    void ShowSunken() override
    {
        m_caption.MarkSunken();
        Base::ShowSunken();
    }

    // Images, caption, then the window.
    virtual void DoRepaint()
    {
        this->RepaintImages();
        DrawTextA();
        FinishRepaint();
    }
    // How the redrawn image reaches the window.
    virtual void FinishRepaint() = 0;
    // RGB of the caption in the current state.
    virtual COLORREF GetFontColorOfCurState() = 0;

    void DrawTextA() { m_caption.Draw(this->GetCanvas(), this->Font(), this->GetText(), GetFontColorOfCurState()); }

    void FontChange(TObject* sender)
    {
        DoRepaint();
        m_savedFontChange(sender);
    }
    void FontColorChange(TObject*) { DoRepaint(); }

    FontColors* m_fontColors;

private:
    KyCaption m_caption;
    TNotifyEvent m_savedFontChange;
};
