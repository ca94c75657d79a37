// Timers on the GUI thread and worker threads.

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "platform/vcl/Application.h"
#include "platform/vcl/Thread.h"
#include "platform/vcl/Timer.h"

namespace {

class TCountingThread : public TThread {
public:
    std::atomic<int> passes{0};
    std::atomic<bool>* freed = nullptr;
    ~TCountingThread() override
    {
        if (freed)
            *freed = true;
    }

protected:
    void Execute() override
    {
        while (!Terminated()) {
            ++passes;
            Sleep(1);
        }
        SetReturnValue(7);
    }
};

class TFailingThread : public TThread {
protected:
    void Execute() override { throw EConvertError("bad value"); }
};

void PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < timeoutMs) {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

TEST(VclTimer, FiresOnTheGuiThreadWhileEnabledAndStopsWhenDisabled)
{
    TTimer timer(nullptr);
    timer.SetInterval(20);
    int ticks = 0;
    DWORD thread = 0;
    timer.SetOnTimer(TNotifyEvent::FromFunction([&](TObject*) {
        ++ticks;
        thread = GetCurrentThreadId();
    }));
    PumpUntil([&] { return ticks >= 3; }, 3000);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(thread, GetCurrentThreadId());
    timer.SetEnabled(false);
    int stopped = ticks;
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, stopped);
}

TEST(VclThread, StartsOnResumeStopsOnTerminateAndReturnsItsValue)
{
    TCountingThread thread;
    Sleep(30);
    EXPECT_EQ(thread.passes, 0);  // created suspended
    thread.SetPriority(tpIdle);
    EXPECT_EQ(thread.Priority(), tpIdle);
    thread.Resume();
    while (thread.passes < 3)
        Sleep(1);
    thread.Terminate();
    EXPECT_EQ(thread.WaitFor(), 7);
    EXPECT_TRUE(thread.Finished());
    EXPECT_NE(thread.Handle(), nullptr);
}

TEST(VclThread, FreeOnTerminateDeletesTheObjectAndExceptionsStayInside)
{
    std::atomic<bool> freed{false};
    auto* thread = new TCountingThread;
    thread->freed = &freed;
    thread->SetFreeOnTerminate(true);
    thread->Terminate();
    thread->Resume();
    for (int i = 0; i < 500 && !freed; ++i)
        Sleep(2);
    EXPECT_TRUE(freed);

    TFailingThread failing;
    failing.Resume();
    failing.WaitFor();
    EXPECT_EQ(failing.FatalException(), "bad value");
}
