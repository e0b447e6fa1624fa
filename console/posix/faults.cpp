// Processor faults on POSIX: signal handlers on an alternate stack turn them into run-time errors.
#include <csignal>
#include <cstdint>
#include <ucontext.h>

#include "console/errors.h"
#include "console/platform.h"
#include "console/runtime.h"

namespace con::platform {

namespace {

constexpr int fault_signals[] = {SIGFPE, SIGSEGV, SIGBUS, SIGILL, SIGTRAP};

// Removing the handler only clears this flag: the handler then hands the signal to the
// default action, which costs no system calls at exit.
volatile sig_atomic_t installed;

alignas(16) char alternate_stack[64 * 1024];

struct Machine {
    std::uintptr_t pc, frame, sp;
};

Machine machine_of(const void* context)
{
    const auto& m = static_cast<const ucontext_t*>(context)->uc_mcontext;
#if defined(__x86_64__)
    return {static_cast<std::uintptr_t>(m.gregs[REG_RIP]), static_cast<std::uintptr_t>(m.gregs[REG_RBP]),
            static_cast<std::uintptr_t>(m.gregs[REG_RSP])};
#elif defined(__i386__)
    return {static_cast<std::uintptr_t>(m.gregs[REG_EIP]), static_cast<std::uintptr_t>(m.gregs[REG_EBP]),
            static_cast<std::uintptr_t>(m.gregs[REG_ESP])};
#elif defined(__aarch64__)
    return {m.pc, m.regs[29], m.sp};
#else
#error "no fault context for this processor"
#endif
}

// An access just below the stack pointer, or between it and the top of the stack, can only
// have hit the stack's guard region: the stack has overflowed.
bool in_stack_guard(std::uintptr_t address, std::uintptr_t sp)
{
    constexpr std::uintptr_t reach = 64 * 1024;
    return address + reach >= sp && address < startup_frame;
}

// The run-time error for a fault, or 0 to leave it to the default action.
std::uint16_t error_code(int signal, const siginfo_t& info, std::uintptr_t sp)
{
    if (info.si_code <= 0) return 0;  // sent by a process, not raised by an instruction
    switch (signal) {
    case SIGFPE:
        switch (info.si_code) {
        case FPE_INTDIV:
        case FPE_FLTDIV: return error::division_by_zero;
        case FPE_FLTSUB: return error::bounds_fault;
        case FPE_FLTOVF: return error::float_overflow;
        case FPE_FLTUND: return error::float_underflow;
        case FPE_FLTINV: return error::float_invalid;
        case FPE_INTOVF: return error::integer_overflow_fault;
        default: return 0;
        }
    case SIGSEGV: {
        bool overflow = in_stack_guard(reinterpret_cast<std::uintptr_t>(info.si_addr), sp);
        return overflow ? error::stack_overflow : error::access_violation;
    }
    case SIGBUS:
    case SIGILL:
    case SIGTRAP: return error::other_fault;
    default: return 0;
    }
}

void on_fault(int signal, siginfo_t* info, void* context)
{
    Machine m = machine_of(context);
    std::uint16_t code = installed ? error_code(signal, *info, m.sp) : 0;
    if (code == 0 || m.frame == 0) {
        ::signal(signal, SIG_DFL);
        raise(signal);  // delivered with the default action once this handler returns
        return;
    }
    raise_error(code, {m.pc, m.sp, m.frame});
}

}  // namespace

// Also ignores two signals that would kill the process for a failed write: broken pipe (a reader
// that has gone) and file-size limit. The write then fails, and the statement reports 101.
void install_fault_handler()
{
    stack_t st{};
    st.ss_sp = alternate_stack;
    st.ss_size = sizeof alternate_stack;
    sigaltstack(&st, nullptr);

    struct sigaction sa{};
    sa.sa_sigaction = on_fault;
    sa.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&sa.sa_mask);
    for (int s : fault_signals) sigaction(s, &sa, nullptr);
    installed = 1;

    // A parent may have blocked them: a blocked fault signal kills without running the handler.
    sigset_t faults;
    sigemptyset(&faults);
    for (int s : fault_signals) sigaddset(&faults, s);
    sigprocmask(SIG_UNBLOCK, &faults, nullptr);

    struct sigaction ignore{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, nullptr);
    sigaction(SIGXFSZ, &ignore, nullptr);
}

void remove_fault_handler() { installed = 0; }

}  // namespace con::platform
