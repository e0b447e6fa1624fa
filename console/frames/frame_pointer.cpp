// The chain of calls where every routine keeps a frame pointer (x86 and x86-64 with frame
// pointers kept): a frame holds its caller's frame pointer, then the return address.
#include "console/platform.h"

namespace con::platform {

[[gnu::noinline]] Frame current_frame()
{
    auto own = static_cast<const std::uintptr_t*>(__builtin_frame_address(0));
    return {own[1], reinterpret_cast<std::uintptr_t>(own + 2), own[0]};
}

// A frame lies at or above its stack pointer, so each step goes up the stack; a zero frame ends it.
bool caller(Frame& f)
{
    if (f.fp == 0 || f.fp < f.sp) return false;
    auto slots = reinterpret_cast<const std::uintptr_t*>(f.fp);
    f = {slots[1], reinterpret_cast<std::uintptr_t>(slots + 2), slots[0]};
    return true;
}

}  // namespace con::platform
