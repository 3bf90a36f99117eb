#pragma once

namespace velmora {

// Scheduling priority of a thread, in the steps the program's timers and workers use.
enum class ThreadPriority { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

// The nice value a priority stands for (Normal is 0, higher priorities are negative).
int NiceValueOf(ThreadPriority priority);

// Best effort for the calling thread: raising above the process's own priority needs
// privileges that a desktop program normally lacks, so a refusal is not an error.
bool ApplyToCurrentThread(ThreadPriority priority);

}  // namespace velmora
