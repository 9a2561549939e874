#pragma once

namespace shell {

// Starts the program: loads the main window (whose load runs the start-up
// sequence) and runs the event loop. Returns the process's exit code: 0,
// also for a second instance; 1 when the database file was refused.
int runProgram();

// How long a second instance waits for the assistant to finish speaking.
inline constexpr int previousInstanceWaitMs = 8000;

}  // namespace shell
