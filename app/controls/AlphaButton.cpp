#include "app/controls/AlphaButton.h"

#include "app/skin/SkinFiles.h"

AlphaButton::AlphaButton(TComponent* owner) : KyButtonTx(owner)
{
    for (auto& image : m_sourceImages)
        image = std::make_unique<TBitmap>();
}

AlphaButton::~AlphaButton() = default;

void AlphaButton::LoadImages(const std::string& raised, const std::string& sunken, const std::string& focused,
                             const std::string& disabled)
{
    const std::string* names[] = {&raised, &sunken, &focused, &disabled};
    for (int i = 0; i < kStateCount; ++i) {
        TBitmap* image = m_sourceImages[i].get();
        image->SetPixelFormat(pf32bit);
        image->SetSize(0, 0);
        if (!names[i]->empty() && !ReadSkinFile(*names[i], image))
            image->SetSize(0, 0);
    }
}

void AlphaButton::Reblend()
{
    BlendOverBackground();
    Invalidate();
}

void AlphaButton::SetBounds(int left, int top, int width, int height)
{
    bool same = left == Left() && top == Top() && width == Width() && height == Height();
    KyButtonTx::SetBounds(left, top, width, height);
    // A new raised picture resizes the button while it blends: that resize
    // already sits on the blended pictures.
    if (!same && !m_blending)
        BlendOverBackground();
}

void AlphaButton::BlendOverBackground()
{
    TImage* picture = TheSkinHost().background;
    if (picture == nullptr)
        return;
    m_blending = true;
    TBitmap* background = picture->Picture()->Bitmap();
    background->SetPixelFormat(pf32bit);
    // The button's pictures are 32-bit, opaque to the eye, alpha 0.
    for (int i = 0; i < kStateCount; ++i) {
        TBitmap* source = m_sourceImages[i].get();
        if (source->Width() <= 0 || source->Height() <= 0)
            continue;
        BlendOverPicture(source, background, POINT{Left(), Top()}, m_blended.get(), pf32bit);
        Appearance()->SetBitmap(m_blended.get(), i);
    }
    m_blending = false;
}
