#pragma once
// Form-level makers: a borderless form takes the face of the image control
// that carries its picture. TLayeredFormMaker keys out the picture's
// transparent colour; TPerPixelLayeredFormMaker blends the picture with the
// desktop pixel by pixel. The user moves such a captionless form by
// dragging its picture (TNormalDrag).

#include <memory>

#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "turboInfo_Intel/src/gui/widget/LayeredWindow.h"
#include "vessa/widget/Source/ComponentWatch.h"

namespace qn {

// Lets a picture move its form. The hook is undone when the delegate goes,
// as long as the image still exists.
class TDragDelegate {
public:
    TDragDelegate() = default;
    virtual ~TDragDelegate() = default;
    TDragDelegate(const TDragDelegate&) = delete;
    TDragDelegate& operator=(const TDragDelegate&) = delete;

    // Once per delegate: attaching again is a contract violation.
    void Attach(TCustomForm* form, TImage* image);
    bool IsAttached() const { return m_form != nullptr && m_image != nullptr; }
    TCustomForm* GetForm() const { return m_form; }
    TImage* GetImage() const { return m_image; }

protected:
    virtual void Hook(TImage* image) = 0;
    virtual void Unhook(TImage* image) = 0;

    vessa::ComponentWatch<TCustomForm> m_form;
    vessa::ComponentWatch<TImage> m_image;
};

// A left press on the image moves the form as a caption would; every press
// still reaches the image's own mouse-down handler.
class TNormalDrag : public TDragDelegate {
public:
    ~TNormalDrag() override;

protected:
    void Hook(TImage* image) override;
    void Unhook(TImage* image) override;

private:
    void ImageMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    TMouseEvent m_savedMouseDown;
    bool m_hooked = false;
};

class TShapedFormMaker {
public:
    TShapedFormMaker() = default;
    virtual ~TShapedFormMaker();
    TShapedFormMaker(const TShapedFormMaker&) = delete;
    TShapedFormMaker& operator=(const TShapedFormMaker&) = delete;

    // Shapes the form the image sits on; false (and still detached) for a
    // null image or one without a form. Attaching twice is a contract
    // violation.
    bool Attach(TImage* image);
    bool IsAttached() const { return m_form != nullptr && m_image != nullptr; }
    TCustomForm* GetForm() const { return m_form; }
    TImage* GetImage() const { return m_image; }

    // Makes the form opaque, borderless-checked, unscaled, and the image's size.
    virtual void CheckForm();

    // Each stores a changed value and re-applies when attached.
    void SetColorKeyEnabled(bool enabled);
    virtual void SetColorKey(TColor color);
    virtual TColor GetColorKey() const;

    // Drag by the picture (on by default); takes effect at Attach.
    void SetDragEnabled(bool enabled) { m_dragEnabled = enabled; }
    bool GetDragEnabled() const { return m_dragEnabled; }

    virtual void Apply(TCustomForm* form, TImage* image) = 0;
    // Takes the layered style away; the maker stays attached.
    virtual void Detach(TCustomForm* form) = 0;

protected:
    // The window maker's settings; null when the maker has none.
    virtual LayeredWindowSettings* Settings() const = 0;
    void Reapply();

    vessa::ComponentWatch<TCustomForm> m_form;
    vessa::ComponentWatch<TImage> m_image;

private:
    std::unique_ptr<TDragDelegate> m_drag;
    bool m_dragEnabled = true;
};

// The picture's transparent colour is see-through and click-through.
class TLayeredFormMaker : public TShapedFormMaker {
public:
    // Without SetLayeredWindowAttributes it keeps no window maker and
    // shapes nothing.
    explicit TLayeredFormMaker(HMODULE user32 = User32Module());

    void Apply(TCustomForm* form, TImage* image) override;
    void Detach(TCustomForm* form) override;
    LayeredWindowMaker* WindowMaker() const { return m_maker.get(); }

protected:
    LayeredWindowSettings* Settings() const override { return m_maker.get(); }

private:
    std::unique_ptr<LayeredWindowMaker> m_maker;
};

// The picture is pushed to the window; with per-pixel alpha on, a 32-bit
// picture (premultiplied, see PremultiplyAlpha) blends with the desktop.
class TPerPixelLayeredFormMaker : public TShapedFormMaker {
public:
    explicit TPerPixelLayeredFormMaker(HMODULE user32 = User32Module());

    void SetPerPixelAlpha(bool perPixelAlpha);
    void Apply(TCustomForm* form, TImage* image) override;
    void Detach(TCustomForm* form) override;
    TPerPixelLayeredWindowMaker* WindowMaker() const { return m_maker.get(); }

protected:
    LayeredWindowSettings* Settings() const override { return m_maker.get(); }

private:
    std::unique_ptr<TPerPixelLayeredWindowMaker> m_maker;
};

}  // namespace qn
