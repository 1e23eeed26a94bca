#pragma once
// The system's font configuration (on Linux, fontconfig's configuration files and font caches).
// Reading it is the slow first step of measuring any text: about 3 ms on a desktop machine,
// paid once per process by whichever thread measures text first.

// Reads the configuration now, on the calling thread, if no thread has read it yet. Safe on any
// thread and at any time; text measured later uses what was read.
void ReadFontConfiguration();
