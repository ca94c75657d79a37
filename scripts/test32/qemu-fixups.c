/* Preloaded into the 32-bit Wine when it runs under qemu-i386 (user mode).
 * qemu 7 differs from the kernel in two ways Wine depends on:
 *  - the signal context of a fault carries trap number -1, so Wine's handler
 *    turns every access violation into an illegal instruction: the number the
 *    kernel would give is put back (page fault, with the instruction-fetch
 *    bit when the fault address is the faulting instruction);
 *  - MAP_FIXED_NOREPLACE is taken as a plain hint, so Wine's address-space
 *    reservation walks the whole space: a mapping that does not land where
 *    asked is given back and the call fails with EEXIST, as the kernel's does;
 *  - the GDT's thread-local entries (set_thread_area) are one table for all
 *    threads, where the kernel keeps them per thread: the entry that the C
 *    library's %gs and Wine's %fs select holds the base of whichever thread
 *    set it last, and every reload of the register (each signal return, each
 *    Wine signal handler) hands a thread another thread's TLS and TEB. Each
 *    thread gets a thread-pointer segment of its own in the LDT instead, and
 *    the free GDT entries are taken so that Wine puts its TEB segments in the
 *    LDT too (as on kernels without set_thread_area).
 * Built with gcc -m32; never loaded by native code. */
#define _GNU_SOURCE
#include <asm/ldt.h>
#include <dlfcn.h>
#include <errno.h>
#include <pthread.h>
#include <signal.h>
#include <stddef.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <ucontext.h>
#include <unistd.h>

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

/* Thread pointers. The C library reads its thread control block through
 * %gs:0; a thread's own LDT entry holds the same base as the shared GDT
 * entry the library set up. Entries below 512: Wine allocates from 512 on
 * when %gs selects an LDT entry. */
enum { FIRST_OWN_LDT_ENTRY = 1, END_OWN_LDT_ENTRIES = 512, LDT_USER_SELECTOR = 7, MODIFY_LDT_WRITE = 0x11 };

typedef int (*pthread_create_fn)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);

static unsigned short g_library_selector; /* %gs as the C library set it: a GDT entry */
static int g_next_own_entry = FIRST_OWN_LDT_ENTRY;
static pthread_mutex_t g_shared_entry_lock = PTHREAD_MUTEX_INITIALIZER;

static unsigned short get_gs(void)
{
    unsigned short selector;
    __asm__ volatile("movw %%gs, %0" : "=r"(selector));
    return selector;
}

static void set_gs(unsigned short selector)
{
    __asm__ volatile("movw %0, %%gs" : : "r"(selector));
}

static void set_fs(unsigned short selector)
{
    __asm__ volatile("movw %0, %%fs" : : "r"(selector));
}

static void* thread_pointer(void)
{
    void* pointer;
    __asm__ volatile("movl %%gs:0, %0" : "=r"(pointer));
    return pointer;
}

/* A flat 4 GiB data segment as the C library describes its own. */
static struct user_desc data_segment(int entry, void* base)
{
    struct user_desc segment;
    memset(&segment, 0, sizeof segment);
    segment.entry_number = (unsigned int)entry;
    segment.base_addr = (unsigned int)base;
    segment.limit = 0xfffff;
    segment.seg_32bit = 1;
    segment.limit_in_pages = 1;
    segment.useable = 1;
    return segment;
}

/* Moves the calling thread's %gs to an LDT entry of its own. Past the last
 * entry a thread keeps the shared one (safe only until it takes a signal). */
static void use_own_thread_segment(void)
{
    int entry = __atomic_fetch_add(&g_next_own_entry, 1, __ATOMIC_RELAXED);
    if (entry >= END_OWN_LDT_ENTRIES)
        return;
    struct user_desc segment = data_segment(entry, thread_pointer());
    if (syscall(SYS_modify_ldt, MODIFY_LDT_WRITE, &segment, sizeof segment) == 0)
        set_gs((unsigned short)(entry << 3 | LDT_USER_SELECTOR));
}

/* Wine takes a free thread-local GDT entry for its TEB when it finds one
 * (or the one its preloader left in %fs): none is left, so it uses the LDT. */
static void take_free_gdt_entries(void)
{
    set_fs(0);
    for (int i = 0; i < 3; ++i) {
        struct user_desc segment = data_segment(-1, NULL);
        if (syscall(SYS_set_thread_area, &segment) != 0)
            break;
    }
}

/* Runs before any thread exists: qemu gives the LDT only to the threads made
 * after its first entry was written. */
__attribute__((constructor)) static void start_process(void)
{
    unsigned short selector = get_gs();
    if (selector == 0 || (selector & 4) != 0)
        return;
    g_library_selector = selector;
    use_own_thread_segment();
    take_free_gdt_entries();
}

struct thread_start {
    void* (*routine)(void*);
    void* argument;
    sigset_t mask;
};

static void* start_with_own_segment(void* data)
{
    struct thread_start start = *(struct thread_start*)data;
    free(data);
    use_own_thread_segment();
    pthread_sigmask(SIG_SETMASK, &start.mask, NULL);
    return start.routine(start.argument);
}

/* The C library makes a thread's TLS segment from the creator's %gs: it is
 * called with the shared GDT entry selected and pointing at the creator, and
 * with every signal blocked, so that no segment reload meets the entry while
 * the new thread overwrites it; the new thread moves to its own entry before
 * it takes a signal. */
int pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*routine)(void*), void* argument)
{
    static pthread_create_fn real;
    if (real == NULL)
        real = (pthread_create_fn)dlsym(RTLD_NEXT, "pthread_create");
    if (g_library_selector == 0)
        return real(thread, attributes, routine, argument);
    struct thread_start* start = malloc(sizeof *start);
    if (start == NULL)
        return EAGAIN;
    start->routine = routine;
    start->argument = argument;
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    start->mask = previous;

    pthread_mutex_lock(&g_shared_entry_lock);
    unsigned short own = get_gs();
    struct user_desc shared = data_segment(g_library_selector >> 3, thread_pointer());
    syscall(SYS_set_thread_area, &shared);
    set_gs(g_library_selector);
    int result = real(thread, attributes, start_with_own_segment, start);
    set_gs(own);
    pthread_mutex_unlock(&g_shared_entry_lock);

    if (result != 0)
        free(start);
    pthread_sigmask(SIG_SETMASK, &previous, NULL);
    return result;
}
