#pragma once
// A windowless control that shows a picture. The bitmap is copied opaquely
// (its alpha bytes are not applied: pre-blended skins carry alpha 0 and must
// still show); Transparent draws it with its transparent colour left out.

#include <memory>

#include "platform/vcl/GraphicControl.h"
#include "platform/vcl/Picture.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() { return m_picture.get(); }
    void SetPicture(TPicture* picture) { m_picture->Assign(picture); }
    // The picture bitmap's canvas; an empty picture becomes a bitmap of the
    // control's size first.
    TCanvas* Canvas();
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);
    bool Center() const { return m_center; }
    void SetCenter(bool center);

protected:
    void Paint() override;
    void AdjustSize() override;
    virtual void PictureChanged(TObject* sender);

private:
    std::unique_ptr<TPicture> m_picture;
    bool m_transparent = false;
    bool m_stretch = false;
    bool m_center = false;
};
