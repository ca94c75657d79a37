#pragma once
// A worker thread. It is created suspended and starts with Resume, so the
// derived object is complete before Execute runs. Terminate only asks:
// Execute polls Terminated. With FreeOnTerminate the object deletes itself
// when Execute returns. An exception out of Execute is caught and kept.

#include <windows.h>

#include <string>

#include "platform/vcl/Classes.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
public:
    TThread();
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Resume();
    void Start() { Resume(); }
    void Suspend();
    bool Suspended() const { return m_suspended; }
    void Terminate() { m_terminated = true; }
    bool Terminated() const { return m_terminated; }
    // Waits for Execute to return; gives ReturnValue.
    int WaitFor();
    HANDLE Handle() const { return m_handle; }
    DWORD ThreadID() const { return m_id; }
    TThreadPriority Priority() const;
    void SetPriority(TThreadPriority priority);
    bool FreeOnTerminate() const { return m_freeOnTerminate; }
    void SetFreeOnTerminate(bool free) { m_freeOnTerminate = free; }
    bool Finished() const { return m_finished; }
    int ReturnValue() const { return m_returnValue; }
    const std::string& FatalException() const { return m_fatalException; }

protected:
    virtual void Execute() = 0;
    void SetReturnValue(int value) { m_returnValue = value; }

private:
    static DWORD WINAPI ThreadProc(LPVOID self);
    HANDLE m_handle = nullptr;
    DWORD m_id = 0;
    volatile bool m_terminated = false;
    volatile bool m_finished = false;
    bool m_suspended = true;
    bool m_freeOnTerminate = false;
    int m_returnValue = 0;
    std::string m_fatalException;
};
