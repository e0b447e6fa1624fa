// Processor faults on Windows: the unhandled-exception filter turns them into run-time errors.
#include <windows.h>

#include <cstdint>

#include "console/errors.h"
#include "console/platform.h"
#include "console/runtime.h"

namespace con::platform {

namespace {

// The run-time error for an exception, or 0 to leave it to the system.
std::uint16_t error_code(DWORD exception)
{
    switch (exception) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO: return error::division_by_zero;
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: return error::bounds_fault;
    case EXCEPTION_STACK_OVERFLOW: return error::stack_overflow;
    case EXCEPTION_FLT_OVERFLOW: return error::float_overflow;
    case EXCEPTION_FLT_UNDERFLOW: return error::float_underflow;
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_STACK_CHECK: return error::float_invalid;
    case EXCEPTION_INT_OVERFLOW: return error::integer_overflow_fault;
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_FLT_DENORMAL_OPERAND: return error::access_violation;
    case EXCEPTION_SINGLE_STEP:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION: return error::other_fault;
    default: return 0;
    }
}

// The report is written on a stack of its own: after a stack overflow, little of the
// thread's stack is left for the handler.
alignas(16) unsigned char reserve_stack[64 * 1024];
std::uint16_t fault_code;
Frame fault_frame;

[[noreturn]] void raise_fault() { raise_error(fault_code, fault_frame); }

[[noreturn]] void raise_fault_on_reserve_stack()
{
    void* top = reserve_stack + sizeof reserve_stack;
#if defined(__x86_64__)
    asm volatile("mov %0, %%rsp\n\tsub $32, %%rsp\n\tcall *%1" : : "r"(top), "r"(raise_fault) : "memory");
#else
    asm volatile("mov %0, %%esp\n\tcall *%1" : : "r"(top), "r"(raise_fault) : "memory");
#endif
    __builtin_unreachable();
}

LONG WINAPI on_fault(EXCEPTION_POINTERS* info)
{
    const CONTEXT& c = *info->ContextRecord;
#if defined(_M_X64) || defined(__x86_64__)
    std::uintptr_t frame = c.Rbp, sp = c.Rsp;
#else
    std::uintptr_t frame = c.Ebp, sp = c.Esp;
#endif
    std::uint16_t code = error_code(info->ExceptionRecord->ExceptionCode);
    if (code == 0 || frame == 0) return EXCEPTION_CONTINUE_SEARCH;
    fault_code = code;
    fault_frame = {reinterpret_cast<std::uintptr_t>(info->ExceptionRecord->ExceptionAddress), sp, frame};
    raise_fault_on_reserve_stack();
}

}  // namespace

void install_fault_handler() { SetUnhandledExceptionFilter(on_fault); }

void remove_fault_handler() { SetUnhandledExceptionFilter(nullptr); }

}  // namespace con::platform
