#include "app/forms/BeTurbo.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <vector>

#include "app/protocol/ZendrixMessages.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/WindowClass.h"
#include "tuning/CpuModel.h"
#include "vessa/fileutl/Source/PathUtility.h"

namespace {

constexpr int kBarTop = 14;  // the bar level at the maximum ratio

constexpr UINT kMsgMeasured = WM_APP + 1;

// The CPU model measures a core by counting its clocks over a tenth of a
// second, one core after the other. On the window thread that would leave
// the program deaf for half a second of every refresh (a quit included), so
// the cores are measured on a thread of their own, which reads every core's
// ratio as well and hands them over through a window of this thread.
class ProgramTurboCpuSource : public TurboCpuSource {
public:
    int ScaleBase() override { return GetPStatus()->GetScaleBase(); }
    int CoreCount() override { return GetPStatus()->GetCoreCount(); }
    int DefaultRatio() override { return static_cast<int>(GetPStatus()->GetDefaultRatio()); }
    int MaxRatio() override { return static_cast<int>(GetPStatus()->GetMaxRatio()); }

    void Measure(std::function<void()> measured) override
    {
        m_measured = std::move(measured);
        if (m_measuring)
            return;  // the running measurement answers the last caller
        if (m_window == nullptr)
            m_window = AllocateHWnd(TWndMethod(this, &ProgramTurboCpuSource::WndProc));
        m_measuring = true;
        HANDLE thread = CreateThread(nullptr, 0, &ProgramTurboCpuSource::MeasureThread, this, 0, nullptr);
        if (thread != nullptr) {
            CloseHandle(thread);
            return;
        }
        MeasureCores();  // no thread to spare: measure here rather than not at all
        Measured();
    }

    int CurrentRatio(int core) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (core >= 0 && static_cast<size_t>(core) < m_ratios.size())
            return m_ratios[static_cast<size_t>(core)];
        return static_cast<int>(GetPStatus()->GetCurrentRatio(core));  // before the first measurement
    }

private:
    static DWORD WINAPI MeasureThread(void* self)
    {
        auto* source = static_cast<ProgramTurboCpuSource*>(self);
        source->MeasureCores();
        PostMessageA(source->m_window, kMsgMeasured, 0, 0);
        return 0;
    }

    void MeasureCores()
    {
        AMDPSTATUS* model = GetPStatus();
        model->Refresh();
        std::vector<int> ratios;
        for (int core = 0; core < model->GetCoreCount(); ++core)
            ratios.push_back(static_cast<int>(model->GetCurrentRatio(core)));
        std::lock_guard<std::mutex> lock(m_lock);
        m_ratios = std::move(ratios);
    }

    void Measured()
    {
        m_measuring = false;
        std::function<void()> measured = std::move(m_measured);
        m_measured = nullptr;
        if (measured)
            measured();
    }

    void WndProc(TMessage& message)
    {
        if (message.Msg == kMsgMeasured) {
            Measured();
            return;
        }
        message.Result = DefWindowProcA(m_window, message.Msg, message.WParam, message.LParam);
    }

    HWND m_window = nullptr;
    bool m_measuring = false;  // window thread only
    std::function<void()> m_measured;
    std::mutex m_lock;  // guards m_ratios
    std::vector<int> m_ratios;
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
    // Figures for a program that is about to end would never be seen, and a
    // measurement works the cores' counters for a tenth of a second each.
    if (Application != nullptr && Application->EndWaiting())
        return;
    m_figures.scaleBase = m_cpu.ScaleBase();
    m_cpu.Measure([] {
        if (TBeTurbo* turbo = Instance())
            turbo->SendFigures();
    });
}

void TBeTurbo::SendFigures()
{
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
