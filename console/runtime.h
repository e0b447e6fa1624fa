// The runtime's own state: start-up, run-time errors, termination.
#pragma once
#include <cstdint>

#include "console/platform.h"

namespace con {

struct RunTimeError {
    std::uint16_t code;
    std::uint16_t exit_code;
    bool recorded;            // an error address is recorded: the report is written
    platform::Frame frame;    // where the error is reported to have happened (its pc),
                              // and where the chain of callers starts
};

extern RunTimeError run_time_error;

// The frame of the routine that calls the program body: the chain of callers ends there.
extern std::uintptr_t startup_frame;

// Installs the fault handler, binds the standard streams, clears every error.
void startup();

// Records the error and runs the termination sequence.
// Also called by the platform's fault handler, on the faulting thread.
[[noreturn]] void raise_error(std::uint16_t code, const platform::Frame& at);

// Writes the report if an error is recorded, removes the fault handler, exits.
[[noreturn]] void terminate();

void write_report();

}  // namespace con
