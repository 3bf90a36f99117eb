#include "support/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace velmora {

int NiceValueOf(ThreadPriority priority) {
    switch (priority) {
        case ThreadPriority::Idle:
            return 19;
        case ThreadPriority::Lowest:
            return 10;
        case ThreadPriority::Lower:
            return 5;
        case ThreadPriority::Normal:
            return 0;
        case ThreadPriority::Higher:
            return -5;
        case ThreadPriority::Highest:
            return -10;
        case ThreadPriority::TimeCritical:
            return -20;
    }
    return 0;
}

bool ApplyToCurrentThread(ThreadPriority priority) {
    // On Linux a thread's nice value is its own, set through its kernel thread id.
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    return setpriority(PRIO_PROCESS, tid, NiceValueOf(priority)) == 0;
}

}  // namespace velmora
