#include "IBCustomService.h"

#include "IB.h"
#include "IBConst.h"
#include "IBIntf.h"
#include "ServiceParamBlock.h"

namespace {

constexpr std::size_t MaxServiceNameLength = 65535;

} // namespace

TIBCustomService::TIBCustomService(std::string componentName) : name(std::move(componentName)) {
    EnsureClientLibrary();
    params.OnChanging = [this] {
        RequireDetached();
    };
    params.OnChange = [this] {
        paramsChanged = true;
    };
}

TIBCustomService::~TIBCustomService() {
    if (handle == 0)
        return;
    try {
        Detach();
    } catch (...) {
    }
}

void TIBCustomService::Loaded() {
    loading = false;
    if (storedActivation && !Active())
        Attach();
}

void TIBCustomService::SetActive(bool value) {
    if (loading) {
        storedActivation = value;
        return;
    }
    if (value == Active())
        return;
    if (value)
        Attach();
    else
        Detach();
}

void TIBCustomService::SetServerName(const std::string& value) {
    if (value == serverName)
        return;
    RequireDetached();
    serverName = value;
}

void TIBCustomService::SetProtocol(TProtocol value) {
    if (value == protocol)
        return;
    RequireDetached();
    protocol = value;
    if (value == TProtocol::Local)
        serverName.clear();
}

std::string TIBCustomService::ServiceName() const {
    switch (protocol) {
    case TProtocol::TCP:
        return serverName + ":service_mgr";
    case TProtocol::SPX:
        return serverName + "@service_mgr";
    case TProtocol::NamedPipe:
        return "\\\\" + serverName + "\\service_mgr";
    case TProtocol::Local:
        break;
    }
    return "service_mgr";
}

void TIBCustomService::RequireAttached() {
    if (storedActivation && !Active())
        Attach();
    if (handle == 0)
        RaiseClientError(CLIENT_ERROR_SERVICE_NOT_ATTACHED, {});
}

void TIBCustomService::RequireDetached() const {
    if (handle != 0)
        RaiseClientError(CLIENT_ERROR_SERVICE_ATTACHED, {});
}

void TIBCustomService::RequireServerName() const {
    if (serverName.empty() && protocol != TProtocol::Local)
        RaiseClientError(CLIENT_ERROR_SERVER_NAME_MISSING, {});
}

void TIBCustomService::BuildParamBlock() {
    paramBlock = BuildServiceParamBlock(params.Lines());
    paramsChanged = false;
}

bool TIBCustomService::Login() {
    if (!OnLogin)
        return false;
    TStringList loginParams;
    loginParams.Assign(params.Lines());
    OnLogin(*this, loginParams);
    params.Assign(loginParams.Lines());
    return true;
}

void TIBCustomService::Attach() {
    RequireDetached();
    RequireServerName();
    if (LoginPrompt && !Login())
        RaiseClientError(CLIENT_ERROR_OPERATION_CANCELLED, {});
    if (paramsChanged)
        BuildParamBlock();
    const std::string serviceName = ServiceName();
    if (serviceName.size() > MaxServiceNameLength)
        RaiseValueTooLong("The service name", serviceName.size(), MaxServiceNameLength);
    handle = 0;
    const ISC_STATUS status = ClientLibrary().isc_service_attach(
        StatusVector(), static_cast<unsigned short>(serviceName.size()), serviceName.data(), &handle,
        static_cast<unsigned short>(paramBlock.size()), paramBlock.data());
    if (status > 0) {
        handle = 0;
        RaiseServerError();
    }
    if (OnAttach)
        OnAttach(*this);
    MonitorHook().ServiceAttach(name, TraceFlags);
}

void TIBCustomService::Detach() {
    RequireAttached();
    const ISC_STATUS status = ClientLibrary().isc_service_detach(StatusVector(), &handle);
    handle = 0;
    if (status > 0)
        RaiseServerError();
    MonitorHook().ServiceDetach(name, TraceFlags);
}
