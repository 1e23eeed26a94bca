#pragma once
// Drives the service components the way the compaction steps do.

#include "IBServices.h"

#include <string>
#include <vector>

// Sets up a component as the window's stored layout does: the machine's name as ServerName,
// no login prompt, no tracing.
void LoadAsWindowDoes(TIBCustomService& service);

// Detached, with the step's parameter list.
void PrepareStep(TIBCustomService& service);

// Attach, start, wait for the job's end, detach - detaching also when the job failed, then
// raising its error. Returns the job's output lines.
std::vector<std::string> RunJob(TIBControlService& service);
