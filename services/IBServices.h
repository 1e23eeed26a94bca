#pragma once
// Everything a user of the service components needs.

#include "IB.h"
#include "IBBackupService.h"
#include "IBConst.h"
#include "IBIntf.h"
#include "IBRestoreService.h"
#include "ServiceJobWatcher.h"
