// Test control of the simulated machine's injected failures by number: every call of the machine
// that a test can fail by name (Machine::FailCalls) also counts as one injectable call, so that a
// test can count the calls of a run and then fail each of them in turn.
#pragma once

#include <windows.h>

#include <string>

namespace nirasim {
namespace failures {

// True when some simulated function can be failed by this name.
bool IsInjectable(const std::string& function);
// Counting starts again from 0.
void ResetCallCount();
// Injectable calls made since the count was last reset.
unsigned long CallCount();
// The `number`-th injectable call from now on (1: the next one) fails with `error`, as a call of
// its name fails when failed by name; 0 fails none.
void FailCallNumber(unsigned long number, DWORD error = ERROR_NOT_ENOUGH_MEMORY);
// The name of the call failed by number; empty while the numbered call has not come.
std::string FailedCall();

}  // namespace failures
}  // namespace nirasim
