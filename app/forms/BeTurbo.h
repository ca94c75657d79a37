#pragma once
// The core-unlock monitor's animation and its refresh: each core's current
// ratio, a bar level and a turbo mark go to the movie once a second while
// the movie's switch is on, and the switch's changes go to the message
// window. Ratios are in half-multiplier units.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/forms/TransFlash.h"
#include "platform/vcl/Timer.h"

// What the monitor reads of the CPU. The program's reads the CPU model.
class TurboCpuSource {
public:
    virtual ~TurboCpuSource() = default;
    virtual int ScaleBase() = 0;
    virtual int CoreCount() = 0;
    virtual int DefaultRatio() = 0;  // truncated
    virtual int MaxRatio() = 0;      // truncated
    // Measures the cores again, then calls `measured` on this thread: at
    // once, or from the message loop when the measurement takes its time
    // elsewhere. Asked again before that, only the last `measured` is called.
    virtual void Measure(std::function<void()> measured) = 0;
    virtual int CurrentRatio(int core) = 0;  // truncated
};

// The program's source; created on first use, never destroyed.
TurboCpuSource& TheTurboCpuSource();

// The movie's figures for core `core` at ratio `ratio`: each value carries
// the core in its thousands.
struct TurboFigures {
    int scaleBase;
    int defaultRatio;
    int maxRatio;
};
// The multiplier times ten.
int TurboRatioValue(int core, int ratio);
// 0 at the scale base, 10 at the default ratio, 14 at the maximum ratio.
int TurboBarValue(int core, int ratio, const TurboFigures& figures);
// 1 above the default ratio.
int TurboMarkValue(int core, int ratio, const TurboFigures& figures);

// A movie file below the program folder, as "flashobj.dll" takes its path.
std::wstring ProgramMoviePath(const char* relativePath);

constexpr UINT kTurboRefreshInterval = 1000;                         // ms
constexpr char kTurboMovieFile[] = "res\\flash\\turbo_boost02.swf";  // below the program folder

class TBeTurbo {
public:
    // Makes the monitor's animation over `parent` and makes it the
    // process-wide instance (replacing an earlier one).
    static TBeTurbo* Create(HWND parent, int x, int y, int width, int height,
                            TurboCpuSource& cpu = TheTurboCpuSource());
    static TBeTurbo* Instance();

    ~TBeTurbo();
    TBeTurbo(const TBeTurbo&) = delete;
    TBeTurbo& operator=(const TBeTurbo&) = delete;

    // The movie's switch follows the program; the movie answers "nosend".
    void SetEnable(bool enabled);
    void SetVisible(bool show);
    // Measures the cores and then sends every core's figures to the movie;
    // also the timer's handler.
    void Refresh();
    void SendFigures();
    // The movie's call-outs ("on", "off", with "nosend" when the program
    // made the change).
    static void WINAPI OnFlashCall(DWORD_PTR reserved1, DWORD_PTR reserved2, const wchar_t* text, DWORD_PTR reserved4);
    void HandleCall(const std::string& lowerText);

    bool TimerEnabled() const { return m_timer->Enabled(); }
    TTransFlash& Movie() { return *m_movie; }

private:
    TBeTurbo(HWND parent, int x, int y, int width, int height, TurboCpuSource& cpu);
    void OnTimer(TObject*);
    void SetTimerRunning(bool running);

    TurboCpuSource& m_cpu;
    int m_coreCount = 0;
    TurboFigures m_figures{};
    std::unique_ptr<TTimer> m_timer;
    std::unique_ptr<TTransFlash> m_movie;
    bool m_shown = false;
    // The timer is due while the window is hidden: it runs again on the next show.
    bool m_timerDue = false;
};
