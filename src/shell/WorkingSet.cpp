#include "shell/WorkingSet.h"

#include "engine/JobPorts.h"

#include <malloc.h>

namespace clavenor {

void TrimWorkingSet(IEventPump& events) {
    ::malloc_trim(0);
    events.ProcessPendingEvents();
}

} // namespace clavenor
