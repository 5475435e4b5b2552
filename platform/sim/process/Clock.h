// The machine's clock: the time of day and the tick count move only when the machine says so
// (Sleep, timed waits, or a test), so a 5-second poll costs no real time.
#pragma once

#include <windows.h>

namespace nirasim::sim {

void AdvanceClock(DWORD milliseconds);
void SetClockUtc(const SYSTEMTIME& utc);
void SetClockBias(LONG minutesEastOfUtc);
ULONGLONG ClockTicks();         // milliseconds since the machine started
ULONGLONG SleptOnThisThread();  // what Sleep has moved the clock on the calling thread

}  // namespace nirasim::sim
