#include "IBSQLMonitor.h"

TTraceFlags AllTraceFlags() {
    return {TTraceFlag::tfQPrepare, TTraceFlag::tfQExecute, TTraceFlag::tfQFetch,   TTraceFlag::tfError,
            TTraceFlag::tfStmt,     TTraceFlag::tfConnect,  TTraceFlag::tfTransact, TTraceFlag::tfBlob,
            TTraceFlag::tfService,  TTraceFlag::tfMisc};
}

void TIBSQLMonitorHook::SetEnabled(bool value) {
    std::lock_guard<std::mutex> guard(lock);
    enabled = value;
}

bool TIBSQLMonitorHook::Enabled() const {
    std::lock_guard<std::mutex> guard(lock);
    return enabled;
}

void TIBSQLMonitorHook::SetTraceFlags(TTraceFlags flags) {
    std::lock_guard<std::mutex> guard(lock);
    traceFlags = flags;
}

TTraceFlags TIBSQLMonitorHook::TraceFlags() const {
    std::lock_guard<std::mutex> guard(lock);
    return traceFlags;
}

void TIBSQLMonitorHook::SetWriter(std::function<void(const std::string&)> newWriter) {
    std::lock_guard<std::mutex> guard(lock);
    writer = std::move(newWriter);
}

void TIBSQLMonitorHook::ServiceAttach(const std::string& componentName, TTraceFlags componentFlags) {
    WriteServiceLine(componentName + ": [Attach]", componentFlags);
}

void TIBSQLMonitorHook::ServiceDetach(const std::string& componentName, TTraceFlags componentFlags) {
    WriteServiceLine(componentName + ": [Detach]", componentFlags);
}

void TIBSQLMonitorHook::ServiceStart(const std::string& componentName, TTraceFlags componentFlags) {
    WriteServiceLine(componentName + ": [Start]", componentFlags);
}

void TIBSQLMonitorHook::WriteServiceLine(const std::string& line, TTraceFlags componentFlags) {
    std::lock_guard<std::mutex> guard(lock);
    if (!enabled || !traceFlags.Contains(TTraceFlag::tfService) ||
        !componentFlags.Contains(TTraceFlag::tfService))
        return;
    if (writer)
        writer(line);
}

TIBSQLMonitorHook& MonitorHook() {
    static TIBSQLMonitorHook hook;
    return hook;
}
