#pragma once
// What the status line says about an earlier run found beside a picked database, and about
// what was done with its files.

#include "CompactionRun.h"

#include <QString>

// Empty when nothing was found. Otherwise the database path followed by what was found, what
// was done and, while nobody can tell which file holds the data, what the user must do.
QString PreparationMessage(const TCompactionRun& run, const TCompactionRun::TPreparation& preparation);

// The status line after the confirm step: the run is done, or, when its files no longer match
// its record, that they were not tidied away and why.
QString FinishMessage(const TCompactionRun& run, const TSettleReport& report);

// A reason as one log line: the engine's messages joined.
QString OneLine(const char* reason);

// What a failure the engine reports in its own (English) words means, as one Korean sentence,
// for the common causes: no database in the file, the database in use by a server or another
// program, no permission, no room on the disk. Empty for any other reason.
QString EngineFailureHint(const QString& engineText);
