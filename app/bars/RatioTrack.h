#pragma once
// The track picture of a vertical ratio bar and how its fill is drawn: the
// bar's background, pre-blended over the main form's core picture where the
// bar stands, and two sets of fill segments (light, and yellow for the
// hover look), each a bottom cap, a middle piece stretched to the fill's
// height and a top cap. The track is a plain image control owned by the
// form; the pictures are the object's.

#include <memory>
#include <string>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Image.h"

class KyImage;

class RatioTrack {
public:
    // Where the fill column stands in the background: its left edge and the
    // base line the fill grows up from.
    struct Column {
        int x;
        int baseLine;
    };

    // The track (hidden, opaque, sized to its picture) at (left, top) on
    // `owner`; `folder` + `background` blended over the core picture at
    // that place, and the six segment pictures of `folder`. Missing
    // pictures stay empty and draw nothing.
    TImage* Create(TWinControl* owner, int left, int top, const std::string& folder, const char* background);

    // The track shows the background with the fill `offset` pixels high
    // (no middle piece at 0 or below), in the yellow or the light set.
    void Paint(int offset, bool yellow, Column column);
    // The track shows the bare background.
    void PaintBare();

    // The small bars' numeral: "Rome_number\" picture of `core` on the
    // track's parent, centred over the background and 38 pixels above its
    // bottom.
    KyImage* CreateSmallNumeral(int core) const;

    TImage* Track() const { return m_track; }
    TBitmap* Background() const { return m_background.get(); }

private:
    struct Segments {
        std::unique_ptr<TBitmap> bottom = std::make_unique<TBitmap>();
        std::unique_ptr<TBitmap> middle = std::make_unique<TBitmap>();
        std::unique_ptr<TBitmap> top = std::make_unique<TBitmap>();
    };
    static void LoadSegments(const std::string& folder, const char* colour, Segments& segments);

    TImage* m_track = nullptr;
    std::unique_ptr<TBitmap> m_background = std::make_unique<TBitmap>();
    // Drawn into and then exchanged with the track's picture: it holds the
    // picture shown before.
    std::unique_ptr<TBitmap> m_spare = std::make_unique<TBitmap>();
    Segments m_light;
    Segments m_yellow;
};

// The numeral picture of core `core`: "I.png" ... "V.png", "VI.png" for
// every later core.
std::string CoreNumeralFile(int core);
