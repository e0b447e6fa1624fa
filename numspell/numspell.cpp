// numspell: asks for a number from 0 to 99 and writes its name in French.
#include <array>

#include "console/console.h"

using namespace con;

namespace {

std::int16_t SZAM;  // the number read
std::int16_t A;     // its units
std::int16_t B;     // its tens

constexpr Bounds slots{0, 99};

// The word table: 22 words, the other slots empty. It is filled when the program is built.
constexpr std::array<Text, 100> word_table()
{
    std::array<Text, 100> t{};
    const char* units[] = {"z\x82ro", "un",     "deux",   "trois",    "quatre", "cinq",
                           "six",      "sept",   "huit",   "neuf",     "dix",    "onze",
                           "douze",    "treize", "quatorze", "quinze", "seize"};
    for (int slot = 0; slot <= 16; ++slot) t[static_cast<std::size_t>(slot)].assign(units[slot]);
    t[20].assign("vingt");
    t[30].assign("trente");
    t[40].assign("quarante");
    t[50].assign("cinquante");
    t[60].assign("soixante");
    return t;
}
constexpr std::array<Text, 100> T = word_table();

// The word in a slot computed from the number, the slot checked against the table's bounds first.
[[gnu::always_inline]] inline const Text& word(std::int32_t slot)
{
    return T[static_cast<std::size_t>(range_check(slot, slots))];
}

// A line statement that writes a composed name.
[[gnu::always_inline]] inline void write_name(const Text& name)
{
    write_text(output, 0, name);
    end_line(output);
    io_check();
}

void body()
{
    Text name;

    write_text(output, 0, "K\x82rek egy 0-99 k\x94z\x82 es\x94 sz\xA0mot: ");
    end_line(output);
    io_check();

    SZAM = to_int16(read_integer(input));
    discard_line(input);
    io_check();
    range_check(SZAM, slots);  // only 0..99 have a name

    if (SZAM <= 16) write_name(name.assign(word(SZAM)));
    B = to_int16(SZAM / 10);
    A = to_int16(SZAM - 10 * B);
    if (A == 1 && B > 1 && B < 7)
        write_name(name.assign(word(10 * B)).append(" et ").append(word(A)));
    if (10 * B <= 69 && A > 1 && SZAM > 16)
        write_name(name.assign(word(10 * B)).append("-").append(word(A)));
    if (B >= 2 && A == 0 && SZAM != 70 && SZAM != 80 && SZAM != 90)
        write_name(name.assign(word(SZAM)));
    if (SZAM == 70) write_name(name.assign(T[60]).append("-").append(word(SZAM - 60)));
    if (SZAM > 70 && A > 6 && SZAM < 80)
        write_name(name.assign(T[60]).append("-").append(T[10]).append("-").append(word(A)));
    if (SZAM > 70 && A <= 6 && SZAM < 80)
        write_name(name.assign(T[60]).append(A == 1 ? " et " : "-").append(word(SZAM - 60)));
    if (SZAM == 80) write_name(name.assign(T[4]).append("-").append(word(SZAM / 4)).append("s"));
    if (SZAM > 80 && B == 8 && A <= 9)
        write_name(name.assign(T[4]).append("-").append(T[20]).append("-").append(word(A)));
    if (SZAM == 90)
        write_name(name.assign(T[4]).append("-").append(T[20]).append("-").append(word(SZAM - 80)));
    if (SZAM > 90 && A <= 6)
        write_name(name.assign(T[4]).append("-").append(T[20]).append("-").append(word(SZAM - 80)));
    if (SZAM > 90 && A > 6)
        write_name(name.assign(T[4]).append("-").append(T[20]).append("-").append(T[10]).append("-").append(
            word(A)));

    discard_line(input);
    io_check();
}

}  // namespace

int main() { run(body); }
