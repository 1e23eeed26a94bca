#pragma once
// The common base of the service components: one attachment to the server's service manager,
// named by Protocol and ServerName and authenticated by the name=value lines of Params.

#include "IBSQLMonitor.h"
#include "StringList.h"

#include <functional>
#include <ibase.h>
#include <string>

enum class TProtocol { TCP = 0, SPX = 1, NamedPipe = 2, Local = 3 };

class TIBCustomService;
using TNotifyEvent = std::function<void(TIBCustomService& sender)>;
using TLoginEvent = std::function<void(TIBCustomService& database, TStringList& loginParams)>;

class TIBCustomService {
public:
    // Loads the client library first: when that fails (client error 1, or the operating-system
    // error of an incomplete library) the component is not created.
    explicit TIBCustomService(std::string name);
    // Detaches when still attached. Errors of that detach are dropped: raising from a
    // destructor would end the program when it runs during another error's unwinding.
    virtual ~TIBCustomService();
    TIBCustomService(const TIBCustomService&) = delete;
    TIBCustomService& operator=(const TIBCustomService&) = delete;

    const std::string& Name() const { return name; }

    // Between these two the owner assigns the stored properties: Active only records its value,
    // and Loaded attaches when the recorded value is true.
    void BeginLoading() { loading = true; }
    virtual void Loaded();
    bool Loading() const { return loading; }

    bool Active() const { return handle != 0; }
    void SetActive(bool value);
    const std::string& ServerName() const { return serverName; }
    void SetServerName(const std::string& value);
    TProtocol Protocol() const { return protocol; }
    void SetProtocol(TProtocol value);
    TStringList& Params() { return params; }
    const TStringList& Params() const { return params; }
    void SetParams(const std::vector<std::string>& lines) { params.Assign(lines); }

    bool LoginPrompt = true;
    TTraceFlags TraceFlags;
    TNotifyEvent OnAttach;
    TLoginEvent OnLogin;

    // The text handed to the service manager.
    std::string ServiceName() const;
    // The block last built from Params (empty before the first build).
    const std::string& ParamBlock() const { return paramBlock; }

    void RequireAttached();
    void RequireDetached() const;
    void RequireServerName() const;

protected:
    void Attach();
    void Detach();
    bool Login();
    void BuildParamBlock();

    isc_svc_handle handle = 0;

private:
    std::string name;
    bool loading = false;
    bool storedActivation = false;
    std::string serverName;
    TProtocol protocol = TProtocol::Local;
    TStringList params;
    bool paramsChanged = true;
    std::string paramBlock;
};
