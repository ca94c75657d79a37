#include "KyPackage/Source/KyNumLed_imp.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "KyPackage/Source/NumLedShapes.h"
#include "KyPackage/Source/SegmentTables.h"
#include "platform/vcl/Image.h"
#include "vessa/Component/LED/ShapeLED.h"
#include "vessa/System/VessaAssert.h"

namespace vessa {

namespace {

using Painter = KyNumLed_imp::Painter;
using LEDPtr = std::unique_ptr<CompositeScalableLED>;

// Makes the LED of one kind of position for a style, placed at x.
class Builder {
public:
    virtual ~Builder() = default;
    virtual LEDPtr Digit(int x, Painter* painter, const TColor* colors, int colorCount) const = 0;
    virtual LEDPtr Point(int x, Painter* painter, const TColor* colors, int colorCount) const = 0;
    virtual LEDPtr Caret(int x, Painter* painter, const TColor* colors, int colorCount) const = 0;
    virtual LEDPtr Celsius(int x, Painter* painter, const TColor* colors, int colorCount) const = 0;
    virtual LEDPtr Ampersand(int x, Painter* painter, const TColor* colors, int colorCount) const = 0;

    // The LED of format character `c`; none for a character of no position.
    LEDPtr Build(char c, int x, Painter* painter, const TColor* colors, int colorCount) const
    {
        if (c != '\0' && std::strchr("8DHMSYdhmsy", c))
            return Digit(x, painter, colors, colorCount);
        switch (c) {
        case '.':
            return Point(x, painter, colors, colorCount);
        case '^':
            return Caret(x, painter, colors, colorCount);
        case 'C':
            return Celsius(x, painter, colors, colorCount);
        case '&':
            return Ampersand(x, painter, colors, colorCount);
        default:
            return nullptr;
        }
    }
};

// Rectangular seven-segment style: every segment a polygon.
class Builder_r7_s : public Builder {
public:
    LEDPtr Digit(int x, Painter* p, const TColor* c, int n) const override
    {
        return Make(kDigitShapes, SevenSegTbl::Instance(), x, p, c, n);
    }
    LEDPtr Point(int x, Painter* p, const TColor* c, int n) const override
    {
        return Make(kPointShapes, SingleSegTbl::Instance(), x, p, c, n);
    }
    LEDPtr Caret(int x, Painter* p, const TColor* c, int n) const override
    {
        return Make(kCaretShapes, FourSegBinStateTbl::Instance(), x, p, c, n);
    }
    LEDPtr Celsius(int x, Painter* p, const TColor* c, int n) const override
    {
        return Make(kCelsiusShapes, FourSegBinStateTbl::Instance(), x, p, c, n);
    }
    LEDPtr Ampersand(int x, Painter* p, const TColor* c, int n) const override
    {
        return Make(kAmpersandShapes, ThirteenSegBinStateTbl::Instance(), x, p, c, n);
    }

private:
    static LEDPtr Make(const int* shapes, const LED_Director& table, int x, Painter* painter, const TColor* colors,
                       int colorCount)
    {
        LEDPtr led = ShapeLedFactory<Painter>().BuildComposite(shapes, &table, painter, colors, colorCount).led;
        led->left = x;
        return led;
    }
};

const Builder& BuilderFor(KyNumLedStyle)
{
    static const Builder* rectangle7 = new Builder_r7_s;
    return *rectangle7;
}

TColor Opaque(TColor color)
{
    return static_cast<TColor>(ColorToRGB(color) | 0xFF000000u);
}

bool IsDigitOf(char c, const char* letters)
{
    return c != '\0' && std::strchr(letters, c) != nullptr;
}

}  // namespace

KyNumLed_imp::KyNumLed_imp(TControl* control, TWinControl* parent, int width, int height)
    : m_control(control),
      m_layer(std::make_unique<Layer>(control, parent)),
      m_painter(std::make_unique<Painter>(m_layer.get())),
      m_colors{Opaque(RGB(14, 38, 62)), Opaque(RGB(10, 240, 10))},
      m_dateTime(Now())
{
    m_layer->canvasLayer->backgroundColor = clBlack;
    Bitmap()->SetSize(width, height);
    m_layer->canvasLayer->Resize(width, height);
    m_layer->image->SetBounds(control->Left(), control->Top(), width, height);
    SetFormat("8888");
}

KyNumLed_imp::~KyNumLed_imp()
{
    while (m_collector.LEDCount() > 0)
        m_collector.RemoveAt(m_collector.LEDCount() - 1);
    m_leds.clear();
}

KyNumLed_imp::LEDs KyNumLed_imp::BuildRow(const std::string& text, KyNumLedStyle style, int& width, int& height)
{
    LEDs row;
    width = 0;
    height = 0;
    for (char c : text) {
        LEDPtr led = BuilderFor(style).Build(c, width, m_painter.get(), m_colors, 2);
        if (!led)
            return LEDs();
        width += led->Width();
        height = std::max(height, led->Height());
        row.push_back(std::move(led));
    }
    return row;
}

void KyNumLed_imp::TakeRow(LEDs row, int width, int height)
{
    while (m_collector.LEDCount() > 0)
        m_collector.RemoveAt(m_collector.LEDCount() - 1);
    m_leds = std::move(row);
    m_collector.SetWidth(width);
    m_collector.SetHeight(height);
    for (auto& led : m_leds)
        m_collector.Add(led.get());

    m_states.assign(m_leds.size(), 0);
    m_on.assign(m_leds.size(), true);
    for (std::size_t i = 0; i < m_leds.size(); ++i)
        m_states[i] = m_leds[i]->StateCount() - 1;
    Apply();
    Figure()->SetSize(Bitmap()->Width(), Bitmap()->Height());
}

bool KyNumLed_imp::SetFormat(const std::string& text)
{
    if (text == m_format)
        return true;
    int width = 0;
    int height = 0;
    LEDs row = BuildRow(text, m_style, width, height);
    if (row.empty() || row.size() != text.size())
        return false;
    TakeRow(std::move(row), width, height);
    m_format = text;
    PlaceImage();
    Refresh();
    return true;
}

void KyNumLed_imp::SetType(KyNumLedType type)
{
    if (type == m_type)
        return;
    m_type = type;
    Refresh();
}

void KyNumLed_imp::SetStyle(KyNumLedStyle style)
{
    if (style == m_style)
        return;
    int width = 0;
    int height = 0;
    LEDs row = BuildRow(m_format, style, width, height);
    if (row.empty())
        return;
    m_style = style;
    TakeRow(std::move(row), width, height);
    Refresh();
}

void KyNumLed_imp::SetZeroLeading(bool zeroLeading)
{
    m_zeroLeading = zeroLeading;
    Refresh();
}

void KyNumLed_imp::SetTransparent(bool transparent)
{
    m_layer->image->SetTransparent(transparent);
}
bool KyNumLed_imp::GetTransparent() const
{
    return m_layer->image->Transparent();
}

void KyNumLed_imp::SetValue(double value)
{
    if (m_type != nledFloat || value == m_number)
        return;
    RenderNumber(value);
}

void KyNumLed_imp::SetValue(const TDateTime& value)
{
    if ((m_type != nledTime && m_type != nledDate) || value.Val() == m_dateTime.Val())
        return;
    RenderDateTime(value);
}

bool KyNumLed_imp::GetValue(double& value) const
{
    if (m_type != nledFloat)
        return false;
    value = m_number;
    return true;
}

bool KyNumLed_imp::GetValue(TDateTime& value) const
{
    if (m_type != nledTime && m_type != nledDate)
        return false;
    value = m_dateTime;
    return true;
}

void KyNumLed_imp::On(unsigned position)
{
    if (position > m_leds.size())
        return;
    if (position == 0) {
        for (std::size_t i = 0; i < m_leds.size(); ++i) {
            m_on[i] = true;
            m_leds[i]->SetState(m_leds[i]->StateCount() - 1);
        }
    } else {
        m_on[position - 1] = true;
        m_leds[position - 1]->SetState(m_states[position - 1]);
    }
    Redraw();
}

void KyNumLed_imp::Off(unsigned position)
{
    if (position > m_leds.size())
        return;
    for (std::size_t i = 0; i < m_leds.size(); ++i) {
        if (position == 0 || i == position - 1) {
            m_on[i] = false;
            m_leds[i]->SetState(0);
        }
    }
    Redraw();
}

void KyNumLed_imp::SetLightColor(TColor color)
{
    m_colors[1] = Opaque(color);
    UpdateAll(m_collector.LEDs());
    Redraw();
}

void KyNumLed_imp::SetDarkColor(TColor color)
{
    m_colors[0] = Opaque(color);
    UpdateAll(m_collector.LEDs());
    Redraw();
}

void KyNumLed_imp::SetBackgroundColor(TColor color)
{
    m_layer->canvasLayer->backgroundColor = static_cast<TColor>(ColorToRGB(color));
    Repaint();
}

TColor KyNumLed_imp::GetBackgroundColor() const
{
    return m_layer->canvasLayer->backgroundColor & 0xFFFFFF;
}
void KyNumLed_imp::SetTransparentColor(TColor color)
{
    Bitmap()->SetTransparentColor(ColorToRGB(color));
}
TColor KyNumLed_imp::GetTransparentColor() const
{
    return Bitmap()->TransparentColor() & 0xFFFFFF;
}

void KyNumLed_imp::Repaint()
{
    PlaceImage();
    Apply();
    UpdateAll(m_collector.LEDs());
    Redraw();
}

void KyNumLed_imp::Move(int left, int top)
{
    TImage* image = m_layer->image;
    image->SetBounds(left, top, image->Width(), image->Height());
}

void KyNumLed_imp::Resize(int width, int height)
{
    if (m_keepRatio) {
        VESSA_ASSERT(Figure()->OriginalWidth() > 0 && Figure()->OriginalHeight() > 0);
        double w = Figure()->OriginalWidth();
        double h = Figure()->OriginalHeight();
        double k = std::min(width / w, height / h);
        width = static_cast<int>(w * k);
        height = static_cast<int>(h * k);
    }
    Bitmap()->SetSize(width, height);
    m_layer->canvasLayer->Resize(width, height);
    Figure()->SetSize(width, height);
    TImage* image = m_layer->image;
    image->SetBounds(image->Left(), image->Top(), width, height);
    Redraw();
}

int KyNumLed_imp::Width() const
{
    return m_layer->image->Width();
}
int KyNumLed_imp::Height() const
{
    return m_layer->image->Height();
}
void KyNumLed_imp::SetParent(TWinControl* parent)
{
    m_layer->image->SetParent(parent);
}

int KyNumLed_imp::LEDState(std::size_t index) const
{
    return m_collector.GetLED(index)->State();
}

void KyNumLed_imp::Apply()
{
    for (std::size_t i = 0; i < m_leds.size(); ++i)
        m_leds[i]->SetState(m_on[i] ? m_states[i] : 0);
}

void KyNumLed_imp::Refresh()
{
    if (m_type == nledFloat)
        RenderNumber(m_number);
    else
        RenderDateTime(m_dateTime);
}

void KyNumLed_imp::RenderNumber(double value)
{
    m_number = value;
    std::size_t point = m_format.find('.');
    int fractionDigits = 0;
    if (point != std::string::npos)
        fractionDigits = static_cast<int>(
            std::count(m_format.begin() + static_cast<std::ptrdiff_t>(point) + 1, m_format.end(), '8'));
    // Whole digits as a double, so that no value can overflow.
    double n = std::fabs(std::floor(value * std::pow(10.0, fractionDigits) + 0.5));
    bool rightmostWhole = true;
    for (std::size_t i = m_format.size(); i-- > 0;) {
        if (m_format[i] != '8')
            continue;
        bool fraction = point != std::string::npos && i > point;
        int digit = static_cast<int>(std::fmod(n, 10.0));
        if (!fraction && !rightmostWhole && n == 0.0 && !m_zeroLeading)
            m_states[i] = 0;
        else
            m_states[i] = digit + 1;
        if (!fraction)
            rightmostWhole = false;
        n = std::floor(n / 10.0);
    }
    Apply();
    Redraw();
}

void KyNumLed_imp::RenderDateTime(const TDateTime& value)
{
    m_dateTime = value;
    unsigned short fields[3] = {0, 0, 0};
    const char* letters[3];
    if (m_type == nledTime) {
        unsigned short ms = 0;
        DecodeTime(value, fields[0], fields[1], fields[2], ms);
        letters[0] = "Hh";
        letters[1] = "Mm";
        letters[2] = "Ss";
    } else {
        DecodeDate(value, fields[0], fields[1], fields[2]);
        letters[0] = "Yy";
        letters[1] = "Mm";
        letters[2] = "Dd";
    }
    for (std::size_t i = m_format.size(); i-- > 0;) {
        for (int f = 0; f < 3; ++f) {
            if (IsDigitOf(m_format[i], letters[f])) {
                m_states[i] = fields[f] % 10 + 1;
                fields[f] = static_cast<unsigned short>(fields[f] / 10);
            }
        }
    }
    Apply();
    Redraw();
}

// The whole image in the background colour, then the row of LEDs.
void KyNumLed_imp::Redraw()
{
    TBitmap* bitmap = Bitmap();
    m_layer->canvasLayer->FillRect(RECT{0, 0, bitmap->Width(), bitmap->Height()});
    m_collector.PlacedFigure()->Draw();
    m_layer->image->Invalidate();
}

void KyNumLed_imp::PlaceImage()
{
    m_layer->image->SetBounds(m_control->Left(), m_control->Top(), Bitmap()->Width(), Bitmap()->Height());
}

}  // namespace vessa
