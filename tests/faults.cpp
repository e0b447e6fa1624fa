// A test program on the runtime that causes the processor fault it is asked for:
// 1 integer division by zero, 2 a null pointer written through, 3 the stack overflowed
// by recursion, 4 an illegal instruction.
#include "console/console.h"

using namespace con;

namespace {

std::int16_t K;  // the fault asked for
volatile int zero;
int* volatile nowhere;
volatile bool deeper = true;

[[gnu::noinline]] int recurse(int depth)
{
    volatile char room[512];
    room[0] = static_cast<char>(depth);
    return deeper ? recurse(depth + 1) + room[0] : 0;
}

void body()
{
    K = to_int16(read_integer(input));
    discard_line(input);
    io_check();

    if (K == 1) zero = 100 / zero;
    if (K == 2) *nowhere = 1;
    if (K == 3) zero = recurse(0);
    if (K == 4) __builtin_trap();

    write_text(output, 0, "no fault");
    end_line(output);
    io_check();
}

}  // namespace

int main() { run(body); }
