#pragma once
// The hidden message window "ZendrixHelp": the meeting point where the main
// window and the core-unlock monitor exchange the core-unlock state. It is
// created at start-up and never shown; its window exists from construction
// so that the other windows can find it.
//
// A change of state from either window switches the BIOS turbo bit and the
// dynamic ratio control under one lock and is passed on to the other
// window. Only a change switches anything, so the echo of a change does
// nothing. A suspend stops the control while the feature is on; the first
// resume after it restarts the control with the ratios saved before.

#include <windows.h>

#include "platform/vcl/Form.h"

// What the core-unlock switch drives. The program's own drives the CPU
// model's BIOS turbo bit and the dynamic ratio control.
class CoreUnlockDriver {
public:
    virtual ~CoreUnlockDriver() = default;
    // The CPU supports the feature (the cached answer).
    virtual bool IsSupported() = 0;
    // Once, at construction, when supported: the control's tables.
    virtual void Prepare() = 0;
    virtual void SetTurboInBios(bool on) = 0;
    // Saves the ratios and starts the control.
    virtual void Start() = 0;
    // Stops the control and restores the saved ratios.
    virtual void Stop() = 0;
    // Starts the control again without saving the ratios.
    virtual void Restart() = 0;
};

// The program's driver; created on first use, never destroyed.
CoreUnlockDriver& TheCoreUnlockDriver();

class TMessageForm : public TForm {
public:
    explicit TMessageForm(TComponent* owner, CoreUnlockDriver& driver = TheCoreUnlockDriver());
    ~TMessageForm() override;

    // Switches the feature when `on` differs from its state.
    void SetBoost(bool on);
    // Tells the main window and the monitor the state, as at start-up.
    void AnnounceBoost(WPARAM state);
    bool GetBoost() const { return m_boost; }
    bool IsSuspended() const { return m_suspended; }

    void Dispatch(TMessage& message) override;

private:
    void OnMainBoost(TMessage& message);
    void OnMonitorBoost(TMessage& message);
    void OnPowerBroadcast(TMessage& message);

    CoreUnlockDriver& m_driver;
    CRITICAL_SECTION m_lock{};
    bool m_lockReady = false;  // only a supporting CPU gets the lock
    bool m_boost = false;
    bool m_suspended = false;  // between a suspend and the first resume after it
};

// The program's message form, set when the application creates it.
extern TMessageForm* MessageForm;
