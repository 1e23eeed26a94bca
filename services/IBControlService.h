#pragma once
// A service component that can start a job on the server and wait for the job's end.

#include "IBCustomService.h"

#include <cstdint>
#include <functional>
#include <string>

class TIBControlService : public TIBCustomService {
public:
    using TIBCustomService::TIBCustomService;

    // Builds the job's request and sends it; returns once the server has accepted the job.
    virtual void BuildStartParams() {}
    virtual void ServiceStart();

    // Reads the job's output until it has ended, handing each line to onLine; call it right after
    // ServiceStart. It blocks the calling thread (a worker's, see TServiceJobWatcher) and raises
    // the server's error when the job failed. The component stays attached either way.
    void WaitForServiceEnd(const std::function<void(const std::string&)>& onLine);

    void AddStartText(unsigned char code, const std::string& text);
    void AddStartInteger(unsigned char code, std::int32_t value);
    void SendStart();

    // The request being built; empty between requests.
    const std::string& StartParams() const { return startParams; }

protected:
    void ResetStartParams(unsigned char action);
    void AddStartFlag(unsigned char code);
    // One item per non-blank line: the path, and its length after "=" when there is one.
    void AddStartFileLines(const TStringList& lines, unsigned char textCode, unsigned char lengthCode);

private:
    std::string startParams;
};
