#include "ThreadPlacement.h"

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

void KeepOffCallingProcessor(std::thread& thread) {
#ifdef __linux__
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return;
    const int current = sched_getcpu();
    if (current < 0 || current >= CPU_SETSIZE || !CPU_ISSET(current, &allowed) || CPU_COUNT(&allowed) < 2)
        return;
    CPU_CLR(current, &allowed);
    // Best effort: when it fails the thread simply runs where the scheduler puts it.
    pthread_setaffinity_np(thread.native_handle(), sizeof allowed, &allowed);
#else
    (void)thread;
#endif
}
