// textpass: asks for a line of text and writes it back unchanged.
#include "console/console.h"

using namespace con;

namespace {

Text SZOVEG;  // the line read, without its line end

void body()
{
    write_text(output, 0, "K\x82rem a sz\x94veget: ");
    end_write(output);
    io_check();

    read_line(input, SZOVEG, Text::capacity);
    discard_line(input);
    io_check();

    write_text(output, 0, SZOVEG);
    end_line(output);
    io_check();

    discard_line(input);
    io_check();
}

}  // namespace

int main() { run(body); }
