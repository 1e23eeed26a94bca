#include "ServiceSteps.h"

#include <unistd.h>

void LoadAsWindowDoes(TIBCustomService& service) {
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    service.BeginLoading();
    service.SetServerName(host);
    service.LoginPrompt = false;
    service.TraceFlags = {};
    service.Loaded();
}

void PrepareStep(TIBCustomService& service) {
    service.SetActive(false);
    service.Params().Clear();
    service.Params().Add("user_name=SYSDBA");
    service.Params().Add("password=plumbtide");
}

std::vector<std::string> RunJob(TIBControlService& service) {
    std::vector<std::string> lines;
    if (!service.Active())
        service.SetActive(true);
    try {
        service.ServiceStart();
        service.WaitForServiceEnd([&](const std::string& line) { lines.push_back(line); });
    } catch (...) {
        service.SetActive(false);
        throw;
    }
    service.SetActive(false);
    return lines;
}
