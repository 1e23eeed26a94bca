#include "Exceptions.h"

#include "Format.h"

EOSError::EOSError(int errorCode, const std::string& systemText)
    : Exception(
          FormatMessage("System Error.  Code: %d.\r\n%s", {FormatArg(errorCode), FormatArg(systemText)})),
      ErrorCode(errorCode) {}
