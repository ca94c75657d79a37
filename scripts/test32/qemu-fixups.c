/* Preloaded into the 32-bit Wine when it runs under qemu-i386 (user mode).
 * qemu 7 differs from the kernel in two ways Wine depends on:
 *  - the signal context of a fault carries trap number -1, so Wine's handler
 *    turns every access violation into an illegal instruction: the number the
 *    kernel would give is put back (page fault, with the instruction-fetch
 *    bit when the fault address is the faulting instruction);
 *  - MAP_FIXED_NOREPLACE is taken as a plain hint, so Wine's address-space
 *    reservation walks the whole space: a mapping that does not land where
 *    asked is given back and the call fails with EEXIST, as the kernel's does.
 * Built with gcc -m32; never loaded by native code. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <signal.h>
#include <stddef.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/types.h>
#include <ucontext.h>

#ifndef MAP_FIXED_NOREPLACE
#define MAP_FIXED_NOREPLACE 0x100000
#endif

enum {
    TRAP_DIVIDE = 0,
    TRAP_DEBUG = 1,
    TRAP_BREAKPOINT = 3,
    TRAP_ILLEGAL = 6,
    TRAP_PROTECTION = 13,
    TRAP_PAGE_FAULT = 14,
    TRAP_X87 = 16,
    TRAP_SIMD = 19
};
enum { ERR_WRITE = 0x2, ERR_USER = 0x4, ERR_FETCH = 0x10 };

typedef int (*sigaction_fn)(int, const struct sigaction*, struct sigaction*);
typedef void* (*mmap_fn)(void*, size_t, int, int, int, off_t);
typedef void* (*mmap64_fn)(void*, size_t, int, int, int, off64_t);

static struct sigaction g_wanted[_NSIG];

static void fix_trap(int sig, const siginfo_t* info, ucontext_t* context)
{
    greg_t* regs = context->uc_mcontext.gregs;
    if ((int)regs[REG_TRAPNO] != -1)
        return;
    switch (sig) {
    case SIGSEGV:
    case SIGBUS:
        if (info->si_code == SI_KERNEL) {
            regs[REG_TRAPNO] = TRAP_PROTECTION;
        } else {
            regs[REG_TRAPNO] = TRAP_PAGE_FAULT;
            regs[REG_ERR] |= ERR_USER;
            if ((greg_t)info->si_addr == regs[REG_EIP])
                regs[REG_ERR] = (regs[REG_ERR] & ~ERR_WRITE) | ERR_FETCH;
        }
        break;
    case SIGILL:
        regs[REG_TRAPNO] = TRAP_ILLEGAL;
        break;
    case SIGTRAP:
        regs[REG_TRAPNO] = info->si_code == TRAP_TRACE ? TRAP_DEBUG : TRAP_BREAKPOINT;
        break;
    case SIGFPE:
        regs[REG_TRAPNO] = info->si_code == FPE_INTDIV || info->si_code == FPE_INTOVF ? TRAP_DIVIDE : TRAP_X87;
        break;
    default:
        break;
    }
}

static void trampoline(int sig, siginfo_t* info, void* context)
{
    const struct sigaction* wanted = &g_wanted[sig];
    if (context != NULL && info != NULL)
        fix_trap(sig, info, (ucontext_t*)context);
    if (wanted->sa_flags & SA_SIGINFO)
        wanted->sa_sigaction(sig, info, context);
    else if (wanted->sa_handler != SIG_DFL && wanted->sa_handler != SIG_IGN)
        wanted->sa_handler(sig);
}

static int is_fault_signal(int sig)
{
    return sig == SIGSEGV || sig == SIGBUS || sig == SIGILL || sig == SIGTRAP || sig == SIGFPE;
}

int sigaction(int sig, const struct sigaction* action, struct sigaction* old)
{
    static sigaction_fn real;
    if (real == NULL)
        real = (sigaction_fn)dlsym(RTLD_NEXT, "sigaction");
    if (!is_fault_signal(sig))
        return real(sig, action, old);
    struct sigaction previous = g_wanted[sig];
    int wrapped = action != NULL && action->sa_handler != SIG_DFL && action->sa_handler != SIG_IGN;
    int result;
    if (wrapped) {
        struct sigaction mine = *action;
        mine.sa_flags |= SA_SIGINFO;
        mine.sa_sigaction = trampoline;
        g_wanted[sig] = *action;
        result = real(sig, &mine, old);
    } else {
        result = real(sig, action, old);
        if (result == 0 && action != NULL)
            memset(&g_wanted[sig], 0, sizeof g_wanted[sig]);
    }
    if (result == 0 && old != NULL && old->sa_sigaction == trampoline)
        *old = previous;
    return result;
}

static void* checked_placement(void* wanted, void* got, size_t length, int flags)
{
    if (!(flags & MAP_FIXED_NOREPLACE) || got == MAP_FAILED || got == wanted)
        return got;
    munmap(got, length);
    errno = EEXIST;
    return MAP_FAILED;
}

void* mmap(void* address, size_t length, int protection, int flags, int fd, off_t offset)
{
    static mmap_fn real;
    if (real == NULL)
        real = (mmap_fn)dlsym(RTLD_NEXT, "mmap");
    return checked_placement(address, real(address, length, protection, flags, fd, offset), length, flags);
}

void* mmap64(void* address, size_t length, int protection, int flags, int fd, off64_t offset)
{
    static mmap64_fn real;
    if (real == NULL)
        real = (mmap64_fn)dlsym(RTLD_NEXT, "mmap64");
    return checked_placement(address, real(address, length, protection, flags, fd, offset), length, flags);
}
