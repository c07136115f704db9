#pragma once
// The program's wiring: creates the shared objects and the windows, connects them through
// their ports and runs the event loop.

namespace clavenor {

class TClavenorApplication;

// Runs Clavenor in app; returns the exit code of the event loop.
int RunClavenor(TClavenorApplication& app);

} // namespace clavenor
