#pragma once
// The signals that tell a program to end (SIGTERM, SIGINT, SIGHUP), turned into bytes on a
// pipe, so that the event loop learns of them and can end the program cleanly instead of the
// program dying wherever it was. Only writing one byte happens inside the signal handler.

// Installs the handlers (once; later calls return the same descriptor) and returns the pipe's
// non-blocking reading end, -1 when no pipe could be made. A signal that was ignored when the
// program started (as under nohup) stays ignored.
int InstallTerminationSignals();

// Adds a request as a signal does. Safe from any thread and from a signal handler; a full pipe
// already holds a request, so nothing is lost by dropping the byte.
void PostTerminationRequest(int signalNumber);

// Empties the pipe. The number of the last signal read, 0 when none was waiting.
int TakeTerminationRequests();
