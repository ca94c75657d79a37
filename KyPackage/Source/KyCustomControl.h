#pragma once
// The skinned control base: one image per visual state, held by a bitmap
// LED control, and a window region. The control always has the size of its
// image 0; when transparent, its window takes the shape of image 0 without
// the transparent colour, and only those pixels answer the mouse.

#include "KyPackage/Source/KyControl.h"
#include "vessa/Component/Source/TBmpLEDCtrl.h"
#include "vessa/Graphics/WinRegion.h"

class KyCustomControl : public KyControl {
public:
    // Controls with check states keep raised, sunken, focused and disabled
    // images per check state.
    static constexpr int kImagesPerGroup = 4;

    KyCustomControl(TComponent* owner, bool clicksDisabled, int stateCount);
    ~KyCustomControl() override;

    void WndProc(TMessage& message) override;
    void Repaint() override;

    // Copies `bitmap` into state image `index`; image 0 also hands its
    // transparent colour to the control.
    void SetStateBitmap(TBitmap* bitmap, int index);
    // The live state image (owned by the control).
    TBitmap* GetStateBitmap(int index) { return m_images->Bitmap(index); }
    int GetStateCount() const { return m_images->StateCount(); }
    // The index last asked for, before any substitution.
    int GetCurrentIndex() const { return m_currentIndex; }
    TCanvas* GetCanvas() { return m_images->Canvas(); }
    void RepaintImages() { m_images->Refresh(); }

    bool Transparent() const { return m_images->Transparent(); }
    virtual void SetTransparent(bool transparent);
    // RGB of the colour cut out of image 0.
    TColor TransparentColor() const { return m_images->TransparentColor(); }
    virtual void SetTransparentColor(TColor color);

    // The region that shapes the window and answers HitTest.
    HRGN RegionHandle() const { return m_region.Handle(); }

protected:
    bool CanResize(int& newWidth, int& newHeight) override;
    void Resize() override;
    void CreateWnd() override;
    void ShowRaised() override { ShowBitmap(0); }
    bool HitTest(int x, int y) override;
    // Shows image `index`, or the first non-empty stand-in that Substitute
    // walks to.
    virtual void ShowBitmap(int index);
    virtual int Substitute(int index) { return 0; }

    void BitmapChanged(TObject* sender);
    bool IsImageEmpty(int index) { return IsEmpty(GetStateBitmap(index)); }
    int IndexOfImage(TObject* bitmap);
    // Puts `handler` on every state image; returns the handler image 0 had.
    TNotifyEvent TakeOverBitmapChanges(const TNotifyEvent& handler);
    // The group's raised image, or 0 for a raised image.
    static int GroupSubstitute(int index);
    // Shows the current image again when `bitmap` is the stand-in that
    // Substitute picked for it.
    void ReshowIfStandInChanged(TObject* bitmap);

private:
    static bool IsEmpty(TBitmap* bitmap) { return bitmap->Width() == 0 || bitmap->Height() == 0; }
    void BuildRegion();
    void UpdateRegion();

    vessa::TBmpLEDCtrl* m_images;
    vessa::WinRegion m_region;
    int m_currentIndex = 0;
    TNotifyEvent m_savedChange;
};
