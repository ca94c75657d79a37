#pragma once
// The work behind the numeric LED control: a format string becomes a row of
// segment LEDs, a number, time or date becomes one state per LED, and the
// row is kept drawn in an image at the control's place.
//
// Format characters: "8" and the letters D H M S Y d h m s y are digits
// (a number fills the "8"s, a time H M S, a date Y M D); "." is a decimal
// point; "^", "C" and "&" are symbols.

#include <memory>
#include <string>
#include <vector>

#include "KyPackage/Source/KyNumLedTypes.h"
#include "platform/vcl/Control.h"
#include "platform/vcl/DateTime.h"
#include "vessa/Component/LED/LEDCollector.h"
#include "vessa/Component/LED/ScalableLED.h"
#include "vessa/Graphics/Layer.h"
#include "vessa/Graphics/Painter.h"

namespace vessa {

class KyNumLed_imp {
public:
    using Layer = ImageLayer<NullSaver<TCanvas*>>;
    using Painter = SimplePainter<Layer>;
    using Collector = BasicLED_Collector<ScalableLED_Collector, CompositeScalableFig>;

    // The image belongs to `control` and sits on `parent` at the control's place.
    KyNumLed_imp(TControl* control, TWinControl* parent, int width, int height);
    ~KyNumLed_imp();
    KyNumLed_imp(const KyNumLed_imp&) = delete;
    KyNumLed_imp& operator=(const KyNumLed_imp&) = delete;

    // False, with nothing changed, for an empty text or one with a
    // character that makes no LED.
    bool SetFormat(const std::string& text);
    const std::string& GetFormat() const { return m_format; }
    void SetType(KyNumLedType type);
    KyNumLedType GetType() const { return m_type; }
    void SetStyle(KyNumLedStyle style);
    KyNumLedStyle GetStyle() const { return m_style; }
    void SetZeroLeading(bool zeroLeading);
    bool GetZeroLeading() const { return m_zeroLeading; }
    void SetKeepRatio(bool keepRatio) { m_keepRatio = keepRatio; }
    bool GetKeepRatio() const { return m_keepRatio; }
    void SetTransparent(bool transparent);
    bool GetTransparent() const;

    void SetValue(double value);
    void SetValue(const TDateTime& value);
    bool GetValue(double& value) const;
    bool GetValue(TDateTime& value) const;

    // Position 0 means every LED, n the n-th LED counted from 1.
    void On(unsigned position);
    void Off(unsigned position);

    // Colours are stored opaque (255 in the top byte); the getters return RGB.
    void SetLightColor(TColor color);
    TColor GetLightColor() const { return m_colors[1] & 0xFFFFFF; }
    void SetDarkColor(TColor color);
    TColor GetDarkColor() const { return m_colors[0] & 0xFFFFFF; }
    void SetBackgroundColor(TColor color);
    TColor GetBackgroundColor() const;
    void SetTransparentColor(TColor color);
    TColor GetTransparentColor() const;

    void Repaint();
    void Move(int left, int top);
    // With keep ratio the size may come out smaller, in the figure's proportion.
    void Resize(int width, int height);
    int Width() const;
    int Height() const;
    void SetParent(TWinControl* parent);

    std::size_t LEDCount() const { return m_collector.LEDCount(); }
    // The state LED `index` shows (0 while it is off).
    int LEDState(std::size_t index) const;
    TImage* Image() const { return m_layer->image; }
    CompositeScalableFig* Figure() { return m_collector.GetFigure(); }

private:
    using LEDs = std::vector<std::unique_ptr<CompositeScalableLED>>;

    LEDs BuildRow(const std::string& text, KyNumLedStyle style, int& width, int& height);
    void TakeRow(LEDs row, int width, int height);
    void Apply();
    void Refresh();
    void RenderNumber(double value);
    void RenderDateTime(const TDateTime& value);
    void Redraw();
    void PlaceImage();
    TBitmap* Bitmap() const { return m_layer->image->Picture()->Bitmap(); }

    TControl* m_control;
    std::unique_ptr<Layer> m_layer;
    std::unique_ptr<Painter> m_painter;
    Collector m_collector;
    TColor m_colors[2];
    std::string m_format;
    KyNumLedType m_type = nledFloat;
    KyNumLedStyle m_style = nledRectangle7_s;
    bool m_zeroLeading = false;
    bool m_keepRatio = false;
    std::vector<int> m_states;
    std::vector<bool> m_on;
    double m_number = 0.0;
    TDateTime m_dateTime;
    LEDs m_leds;
};

}  // namespace vessa
