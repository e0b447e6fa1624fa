// A scripted, in-memory platform for the runtime's unit tests.
#pragma once
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "console/platform.h"

namespace scripted {

struct Script {
    // Standard input.
    std::string input;               // what the handle will deliver, in order
    con::platform::Kind input_kind = con::platform::Kind::file;  // a device delivers one line per read
    std::int32_t chunk = INT_MAX;    // otherwise at most this many bytes per read
    std::uint32_t read_error = 0;    // the error of reads once input is used up (0: end of input)
    // Endless input, cheaply: before `input`, `filler` repeated until `filler_bytes` are delivered.
    std::string filler;
    std::uint64_t filler_bytes = 0;
    std::uint64_t delivered = 0;     // bytes delivered by all reads
    int reads = 0;
    int kind_queries = 0;

    // Standard output.
    std::string output;              // every byte written
    std::vector<std::int32_t> writes;  // the size asked of each write call
    int write_outs = 0;                // calls that begin a buffer's write-out
    bool output_is_device = false;
    std::int32_t write_limit = INT_MAX;      // at most this many bytes taken per call
    std::size_t fail_after = SIZE_MAX;       // calls fail once this many bytes are out
    std::uint32_t write_error = 0;           // error number of a failing write (0: it takes 0 bytes)
};

extern Script script;

// What the runtime's process exit throws.
struct Exit {
    std::uint32_t code;
};

// A fresh script, then start-up binding.
void start(Script s = {});

// What the input stream has not consumed: its buffer's rest, then the script's.
std::string unread();

}  // namespace scripted
