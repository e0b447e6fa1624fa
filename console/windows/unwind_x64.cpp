// The chain of calls on 64-bit Windows, followed with the unwind data every routine carries:
// frame pointers there need not point at the saved frame pointer.
#include <windows.h>

#include "console/platform.h"

namespace con::platform {

namespace {

// Moves a context out of its routine into the caller's, at the return address.
bool unwind(CONTEXT& c)
{
    DWORD64 base = 0;
    PRUNTIME_FUNCTION routine = RtlLookupFunctionEntry(c.Rip, &base, nullptr);
    if (routine == nullptr) {  // a leaf routine: the return address is on top of the stack
        c.Rip = *reinterpret_cast<const DWORD64*>(c.Rsp);
        c.Rsp += sizeof(DWORD64);
    } else {
        PVOID handler_data = nullptr;
        DWORD64 establisher = 0;
        RtlVirtualUnwind(UNW_FLAG_NHANDLER, base, c.Rip, routine, &c, &handler_data, &establisher, nullptr);
    }
    return c.Rip != 0;
}

}  // namespace

[[gnu::noinline]] Frame current_frame()
{
    CONTEXT c{};
    RtlCaptureContext(&c);
    unwind(c);
    return {c.Rip, c.Rsp, c.Rbp};
}

// Each step goes up the stack, or the chain ends.
bool caller(Frame& f)
{
    if (f.fp == 0) return false;
    CONTEXT c{};
    c.Rip = f.pc;
    c.Rsp = f.sp;
    c.Rbp = f.fp;
    if (!unwind(c) || c.Rsp <= f.sp) return false;
    f = {c.Rip, c.Rsp, c.Rbp};
    return true;
}

}  // namespace con::platform
