#include "platform/flashobj/Movie.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace flashobj {

namespace {

constexpr COLORREF kBackground = RGB(16, 20, 26);
constexpr COLORREF kText = RGB(40, 254, 216);
constexpr COLORREF kDim = RGB(90, 100, 110);
constexpr COLORREF kTurbo = RGB(255, 216, 25);
constexpr int kMaxCores = 16;
constexpr int kBarLevels = 14;  // the program's bar level runs 0..14
constexpr int kSwitchHeight = 18;
constexpr int kReadoutGap = 2;  // between read-outs of one row
constexpr int kReadoutFontHeight = -10;

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void DrawTextIn(HDC dc, const std::wstring& text, RECT rect, COLORREF colour, UINT format)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_SINGLELINE | DT_NOPREFIX);
}

// A movie that shows nothing (missing or unknown file).
class EmptyMovie : public Movie {
public:
    void Paint(HDC dc, const RECT& area) override { Fill(dc, area, kBackground); }
};

// The close button: a cross; a click calls out "close".
class CloseButtonMovie : public Movie {
public:
    void Paint(HDC dc, const RECT& area) override
    {
        Fill(dc, area, kBackground);
        HPEN pen = CreatePen(PS_SOLID, 2, kText);
        HGDIOBJ old = SelectObject(dc, pen);
        const int inset = 3;
        MoveToEx(dc, area.left + inset, area.top + inset, nullptr);
        LineTo(dc, area.right - inset, area.bottom - inset);
        MoveToEx(dc, area.right - inset - 1, area.top + inset, nullptr);
        LineTo(dc, area.left + inset - 1, area.bottom - inset);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    void Click(POINT, const RECT&) override { Send(L"close"); }
};

// The per-core monitor: one column per core with its bar level, its ratio
// and a turbo mark, and the on/off switch along the top. The program's
// values carry the core in their thousands: 1000 x core + value.
class MonitorMovie : public Movie {
public:
    void Paint(HDC dc, const RECT& area) override;
    void Click(POINT at, const RECT& area) override;
    void Call(const std::wstring& name, const std::wstring& argument) override;

private:
    struct Core {
        int ratioTimesTen = 0;
        int barLevel = 0;
        bool turbo = false;
    };
    Core* CoreOf(int value, int* rest);

    int m_cores = 0;
    bool m_enabled = false;
    std::vector<Core> m_values = std::vector<Core>(kMaxCores);
};

MonitorMovie::Core* MonitorMovie::CoreOf(int value, int* rest)
{
    int core = value / 1000;
    *rest = value % 1000;
    return core >= 0 && core < kMaxCores ? &m_values[core] : nullptr;
}

void MonitorMovie::Call(const std::wstring& name, const std::wstring& argument)
{
    const int value = static_cast<int>(std::wcstol(argument.c_str(), nullptr, 10));
    int rest = 0;
    if (name == L"setCores") {
        m_cores = std::min(std::max(value, 0), kMaxCores);
    } else if (name == L"setEnable") {
        // The switch follows the program; the movie tells it so without
        // asking it to pass the change on.
        m_enabled = value != 0;
        Send(m_enabled ? L"on nosend" : L"off nosend");
    } else if (Core* core = CoreOf(value, &rest)) {
        if (name == L"setRatio")
            core->ratioTimesTen = rest;
        else if (name == L"setBar")
            core->barLevel = std::min(std::max(rest, 0), kBarLevels);
        else if (name == L"setTurbo")
            core->turbo = rest != 0;
    }
}

void MonitorMovie::Click(POINT at, const RECT& area)
{
    if (at.y >= area.top + kSwitchHeight)
        return;
    m_enabled = !m_enabled;
    Send(m_enabled ? L"on" : L"off");
}

void MonitorMovie::Paint(HDC dc, const RECT& area)
{
    Fill(dc, area, kBackground);
    RECT switchArea{area.left, area.top, area.right, area.top + kSwitchHeight};
    Fill(dc, switchArea, m_enabled ? RGB(20, 90, 80) : RGB(40, 44, 50));
    DrawTextIn(dc, m_enabled ? L"ON" : L"OFF", switchArea, m_enabled ? kText : kDim, DT_CENTER | DT_VCENTER);
    if (m_cores <= 0)
        return;

    const int width = (area.right - area.left) / m_cores;
    const int barTop = area.top + kSwitchHeight + 4;
    HFONT font = CreateReadoutFont();
    const ReadoutLayout readouts = LayOutReadouts(area, m_cores, WidestReadout(dc, font));
    const int barBottom = readouts.top - 2;
    HGDIOBJ oldFont = SelectObject(dc, font);
    for (int i = 0; i < m_cores; ++i) {
        const Core& core = m_values[i];
        RECT column{area.left + i * width + 2, barTop, area.left + (i + 1) * width - 2, barBottom};
        Fill(dc, column, RGB(30, 36, 44));
        RECT bar = column;
        bar.top = barBottom - (barBottom - barTop) * core.barLevel / kBarLevels;
        Fill(dc, bar, core.turbo ? kTurbo : kText);
        wchar_t ratio[16];
        std::swprintf(ratio, 16, L"%d.%d", core.ratioTimesTen / 10, core.ratioTimesTen % 10);
        DrawTextIn(dc, ratio, readouts.boxes[static_cast<size_t>(i)], kText, DT_CENTER | DT_VCENTER | DT_NOCLIP);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

}  // namespace

ReadoutLayout LayOutReadouts(const RECT& area, int cores, SIZE text)
{
    ReadoutLayout layout;
    if (cores <= 0)
        return layout;
    const int width = std::max(1, static_cast<int>(area.right - area.left) / cores);
    // Read-outs of one row stand `rows` columns apart.
    layout.rows = std::min(cores, std::max(1, (static_cast<int>(text.cx) + kReadoutGap + width - 1) / width));
    layout.top = area.bottom - layout.rows * static_cast<int>(text.cy);
    for (int i = 0; i < cores; ++i) {
        const int centre = area.left + i * width + width / 2;
        int left = centre - text.cx / 2;
        left = std::max(static_cast<int>(area.left), std::min(left, static_cast<int>(area.right - text.cx)));
        const int top = layout.top + (i % layout.rows) * text.cy;
        layout.boxes.push_back(RECT{left, top, left + text.cx, top + text.cy});
    }
    return layout;
}

HFONT CreateReadoutFont()
{
    return CreateFontW(kReadoutFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

SIZE WidestReadout(HDC dc, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, L"88.8", 4, &size);
    SelectObject(dc, old);
    return size;
}

std::unique_ptr<Movie> LoadMovie(const std::wstring& path)
{
    wchar_t kind[64] = {};
    GetPrivateProfileStringW(L"movie", L"kind", L"", kind, 64, path.c_str());
    if (std::wcscmp(kind, L"monitor") == 0)
        return std::make_unique<MonitorMovie>();
    if (std::wcscmp(kind, L"close-button") == 0)
        return std::make_unique<CloseButtonMovie>();
    return std::make_unique<EmptyMovie>();
}

bool ParseInvoke(const std::wstring& request, std::wstring* name, std::wstring* argument)
{
    static const std::wstring kHead = L"<invoke name=\"";
    static const std::wstring kMiddle = L"\" returntype=\"xml\"><arguments><string>";
    static const std::wstring kTail = L"</string></arguments></invoke>";
    if (request.compare(0, kHead.size(), kHead) != 0 || request.size() < kHead.size() + kTail.size() ||
        request.compare(request.size() - kTail.size(), kTail.size(), kTail) != 0)
        return false;
    const size_t middle = request.find(kMiddle, kHead.size());
    if (middle == std::wstring::npos || middle + kMiddle.size() > request.size() - kTail.size())
        return false;
    *name = request.substr(kHead.size(), middle - kHead.size());
    *argument = request.substr(middle + kMiddle.size(), request.size() - kTail.size() - middle - kMiddle.size());
    return true;
}

}  // namespace flashobj
