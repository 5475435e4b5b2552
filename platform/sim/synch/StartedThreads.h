// Which threads each thread started are still running: a thread's message loop waits for them
// before it counts as idle.
#pragma once

#include <thread>

namespace nirasim::sim {

void NoteThreadStarted(std::thread::id creator);
void NoteThreadEnded(std::thread::id creator);
bool StartedThreadsRunning(std::thread::id creator);

}  // namespace nirasim::sim
