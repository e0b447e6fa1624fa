// birthspan: reads people's birthdays and reports whose comes earliest and latest in the year,
// and the days between them.
#include "console/console.h"

using namespace con;

namespace {

std::int16_t N;        // the number of people
std::int16_t I;        // the current person
std::int16_t A;        // the current person's month
std::int16_t B;        // the current person's day
std::int16_t NAPSZAM;  // days in the months before month A
std::int16_t DB;       // the current person's day number, 1 January being 1
std::int16_t T[100];   // day numbers of persons 1..100
std::int16_t MAXV, MAX, MINV, MIN;

constexpr Bounds persons{1, 100};
constexpr Bounds months{1, 12};

// Days before each month, and each month's length, in a common year; 29 February is accepted.
constexpr std::int16_t days_before[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr std::int16_t month_length[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Person's slot in T, its number checked against the table's bounds first.
[[gnu::always_inline]] inline std::int16_t& slot(std::int32_t person)
{
    return T[range_check(person, persons) - persons.low];
}

void body()
{
    write_text(output, 0, "N=");
    end_write(output);
    io_check();

    N = to_int16(read_integer(input));
    discard_line(input);
    io_check();
    range_check(N, persons);

    for (I = 1; I <= N; I = to_int16(add(I, 1))) {
        A = to_int16(read_integer(input));
        B = to_int16(read_integer(input));
        discard_line(input);
        io_check();
        range_check(A, months);
        range_check(B, {1, month_length[A]});

        NAPSZAM = days_before[A];
        DB = to_int16(add(NAPSZAM, B));
        slot(I) = DB;
    }

    MAXV = MINV = slot(1);
    MAX = MIN = 1;
    for (I = 1; I <= N; I = to_int16(add(I, 1)))
        if (slot(I) > MAXV) {
            MAXV = slot(I);
            MAX = I;
        }
    for (I = 1; I <= N; I = to_int16(add(I, 1)))
        if (slot(I) < MINV) {
            MINV = slot(I);
            MIN = I;
        }

    write_text(output, 0, "emberek: ");
    write_integer(output, 0, MIN);
    write_character(output, 0, ' ');
    write_integer(output, 0, MAX);
    end_line(output);
    io_check();

    write_text(output, 0, "k\x81l\x94nbs\x82g: ");
    write_integer(output, 0, subtract(MAXV, MINV));
    write_text(output, 0, " nap");
    end_line(output);
    io_check();

    discard_line(input);
    io_check();
}

}  // namespace

int main() { run(body); }
