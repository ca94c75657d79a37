#include "app/BeTurbo.h"

#include <algorithm>
#include <cctype>

#include "app/ZendrixMessages.h"
#include "tuning/CpuModel.h"
#include "vessa/fileutl/Source/PathUtility.h"

namespace {

constexpr int kBarTop = 14;  // the bar level at the maximum ratio

class ProgramTurboCpuSource : public TurboCpuSource {
public:
    int ScaleBase() override { return GetPStatus()->GetScaleBase(); }
    int CoreCount() override { return GetPStatus()->GetCoreCount(); }
    int DefaultRatio() override { return static_cast<int>(GetPStatus()->GetDefaultRatio()); }
    int MaxRatio() override { return static_cast<int>(GetPStatus()->GetMaxRatio()); }
    void Measure() override { GetPStatus()->Refresh(); }
    int CurrentRatio(int core) override { return static_cast<int>(GetPStatus()->GetCurrentRatio(core)); }
};

std::unique_ptr<TBeTurbo>& TheInstance()
{
    static std::unique_ptr<TBeTurbo>* instance = new std::unique_ptr<TBeTurbo>();  // kept for the process
    return *instance;
}

std::string LowerAnsi(const wchar_t* text)
{
    if (text == nullptr)
        return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return out;
}

}  // namespace

std::wstring ProgramMoviePath(const char* relativePath)
{
    const std::string path = vessa::GetProgramFolder() + relativePath;
    const int size = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (size <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], size);
    wide.resize(static_cast<size_t>(size - 1));
    return wide;
}

TurboCpuSource& TheTurboCpuSource()
{
    static TurboCpuSource* source = new ProgramTurboCpuSource();
    return *source;
}

int TurboRatioValue(int core, int ratio)
{
    return 1000 * core + (10 * ratio) / 2;
}

int TurboBarValue(int core, int ratio, const TurboFigures& figures)
{
    const int base = figures.scaleBase;
    const int standard = figures.defaultRatio;
    int level;
    if (ratio < standard) {
        // A CPU model whose default ratio is its scale base has no steps
        // below it: such a core sits at the bottom.
        level = standard > base ? 2 + ((ratio - base) * base) / (standard - base) : 0;
    } else if (ratio == standard) {
        level = 10;
    } else {
        level = kBarTop - (figures.maxRatio - ratio);
    }
    // A level outside the scale would land in a neighbour core's thousand.
    return 1000 * core + std::min(std::max(level, 0), kBarTop);
}

int TurboMarkValue(int core, int ratio, const TurboFigures& figures)
{
    return 1000 * core + (ratio > figures.defaultRatio ? 1 : 0);
}

TBeTurbo* TBeTurbo::Create(HWND parent, int x, int y, int width, int height, TurboCpuSource& cpu)
{
    TheInstance().reset(new TBeTurbo(parent, x, y, width, height, cpu));
    return TheInstance().get();
}

TBeTurbo* TBeTurbo::Instance()
{
    return TheInstance().get();
}

TBeTurbo::TBeTurbo(HWND parent, int x, int y, int width, int height, TurboCpuSource& cpu) : m_cpu(cpu)
{
    m_coreCount = m_cpu.CoreCount();
    m_figures.defaultRatio = m_cpu.DefaultRatio();
    m_figures.maxRatio = m_cpu.MaxRatio();

    m_movie.reset(new TTransFlash(parent, "turbo", ProgramMoviePath(kTurboMovieFile)));
    m_movie->SetPosition(x, y);
    m_movie->SetSize(width, height);
    m_movie->InvokeInt(L"setCores", m_coreCount);
    m_movie->SetCallback(&TBeTurbo::OnFlashCall);
    m_movie->SetVisible(false);

    m_timer.reset(new TTimer(nullptr));
    m_timer->SetInterval(kTurboRefreshInterval);
    m_timer->SetEnabled(false);
    m_timer->SetOnTimer(TNotifyEvent(this, &TBeTurbo::OnTimer));
}

TBeTurbo::~TBeTurbo() = default;

void TBeTurbo::SetEnable(bool enabled)
{
    m_movie->InvokeInt(L"setEnable", enabled ? 1 : 0);
}

void TBeTurbo::SetVisible(bool show)
{
    m_movie->SetVisible(show);
    m_shown = show;
    if (show) {
        if (m_timerDue)
            m_timer->SetEnabled(true);
        m_timerDue = false;
        return;
    }
    // Closing hides the window twice (close, then hide): the second must
    // not forget that the timer ran.
    if (m_timer->Enabled())
        m_timerDue = true;
    m_timer->SetEnabled(false);
}

void TBeTurbo::SetTimerRunning(bool running)
{
    if (m_shown) {
        m_timer->SetEnabled(running);
    } else {
        // Hidden: nothing to refresh until the window shows again.
        m_timerDue = running;
        m_timer->SetEnabled(false);
    }
}

void TBeTurbo::Refresh()
{
    m_figures.scaleBase = m_cpu.ScaleBase();
    m_cpu.Measure();
    for (int core = 0; core < m_coreCount; ++core) {
        const int ratio = m_cpu.CurrentRatio(core);
        m_movie->InvokeInt(L"setRatio", TurboRatioValue(core, ratio));
        m_movie->InvokeInt(L"setBar", TurboBarValue(core, ratio, m_figures));
        m_movie->InvokeInt(L"setTurbo", TurboMarkValue(core, ratio, m_figures));
    }
}

void TBeTurbo::OnTimer(TObject*)
{
    Refresh();
}

void WINAPI TBeTurbo::OnFlashCall(DWORD_PTR, DWORD_PTR, const wchar_t* text, DWORD_PTR)
{
    if (TBeTurbo* instance = Instance())
        instance->HandleCall(LowerAnsi(text));
}

void TBeTurbo::HandleCall(const std::string& lowerText)
{
    const bool on = lowerText.find("on") != std::string::npos;
    if (on)
        Refresh();
    SetTimerRunning(on);
    if (lowerText.find("nosend") != std::string::npos)
        return;
    HWND target = FindWindowA(kMainWindowClass, kMessageWindowCaption);
    if (target == nullptr)
        target = FindWindowA(kMessageWindowClass, kMessageWindowCaption);
    if (target != nullptr)
        PostMessageA(target, kMsgCoreUnlockToMonitor, on ? 1 : 0, 0);
}
