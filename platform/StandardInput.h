#pragma once
// The program is a window; it never reads its standard input. The database engine, when it
// runs inside the program, may: a restore whose backup ends early asks on the standard input
// for the name of the next volume, and waits for a line. Started from a terminal, the job would
// then wait for whatever is typed there, and take it for a file name.

// Points the standard input at the null device, so that any such read ends at once. Returns
// false (the standard input as it was) when the null device cannot be opened.
bool DetachStandardInput();
