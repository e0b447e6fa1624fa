// The runtime's own state: start-up, run-time errors, termination.
#pragma once
#include <cstdint>

namespace con {

struct RunTimeError {
    std::uint16_t code;
    std::uint16_t exit_code;
    bool recorded;           // an error address is recorded: the report is written
    std::uintptr_t address;  // where the error is reported to have happened
    void* frame;             // the frame at which the chain of callers starts
    void* floor;             // no frame of the chain lies below this
};

extern RunTimeError run_time_error;

// The frame of the routine that calls the program body: the chain of callers ends there.
extern void* startup_frame;

// Installs the fault handler, binds the standard streams, clears every error.
void startup();

// Records the error and runs the termination sequence.
// Also called by the platform's fault handler, on the faulting thread.
[[noreturn]] void raise_error(std::uint16_t code, std::uintptr_t address, void* frame, void* floor);

// Writes the report if an error is recorded, removes the fault handler, exits.
[[noreturn]] void terminate();

void write_report();

}  // namespace con
