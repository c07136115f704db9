#pragma once
// The periodic memory trim of the main window (tmrClearMemory, every 1000 ms).

namespace clavenor {

class IEventPump; // engine/JobPorts.h

// Hands the heap's free pages back to the system (malloc_trim), then processes the pending
// events of the user interface once.
void TrimWorkingSet(IEventPump& events);

} // namespace clavenor
