#pragma once
// The one process-wide monitor hook that hears of every attach, detach and start of every
// service component. Its transport to a monitor is a writer function; the program installs
// none and its components trace nothing, so nothing is ever written in normal use.

#include "EnumSet.h"

#include <functional>
#include <mutex>
#include <string>

enum class TTraceFlag {
    tfQPrepare,
    tfQExecute,
    tfQFetch,
    tfError,
    tfStmt,
    tfConnect,
    tfTransact,
    tfBlob,
    tfService,
    tfMisc
};
using TTraceFlags = TEnumSet<TTraceFlag>;

TTraceFlags AllTraceFlags();

class TIBSQLMonitorHook {
public:
    void SetEnabled(bool enabled);
    bool Enabled() const;
    void SetTraceFlags(TTraceFlags flags);
    TTraceFlags TraceFlags() const;
    void SetWriter(std::function<void(const std::string&)> writer);

    void ServiceAttach(const std::string& componentName, TTraceFlags componentFlags);
    void ServiceDetach(const std::string& componentName, TTraceFlags componentFlags);
    void ServiceStart(const std::string& componentName, TTraceFlags componentFlags);

private:
    void WriteServiceLine(const std::string& line, TTraceFlags componentFlags);

    mutable std::mutex lock;
    bool enabled = true;
    TTraceFlags traceFlags = AllTraceFlags();
    std::function<void(const std::string&)> writer;
};

// Created at its first use.
TIBSQLMonitorHook& MonitorHook();
