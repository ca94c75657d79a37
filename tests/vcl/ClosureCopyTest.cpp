// Copying an event closure: every message is dispatched through a copy of
// the control's WindowProc, so a copy must not allocate. This program counts
// the allocations of the whole process through its own operator new.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/vcl/Classes.h"
#include "platform/vcl/Messages.h"

namespace {

std::atomic<long> g_allocations{0};

struct Receiver {
    int calls = 0;
    void Notify(TObject*) { ++calls; }
    void Handle(TMessage& message) { message.Result = ++calls; }
};

}  // namespace

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

TEST(VclClosureCopy, CopyingAndCallingAMethodClosureNeverAllocates)
{
    Receiver receiver;
    TNotifyEvent notify(&receiver, &Receiver::Notify);
    TWndMethod method(&receiver, &Receiver::Handle);
    TMessage message{WM_USER, 0, 0, 0};

    long before = g_allocations;
    TNotifyEvent notifyCopy = notify;
    TWndMethod methodCopy = method;
    TWndMethod assigned;
    assigned = methodCopy;
    notifyCopy(nullptr);
    assigned(message);
    long during = g_allocations - before;

    EXPECT_EQ(during, 0);
    EXPECT_EQ(receiver.calls, 2);
    EXPECT_EQ(message.Result, 2);
    EXPECT_TRUE(assigned == method);
}
