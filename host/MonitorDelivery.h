// The spooler's last step for a printed job on the host: its bytes go through the language
// monitor niralm to the simulated printer on the sample port, as a job of Windows 2000, where the
// end of the job also reads the printer's usage counter.
#pragma once

#include "host/HostMachine.h"

#include <string>

struct MonitorDelivery {
    bool delivered = false;
    DWORD error = 0;
    std::string received;       // the bytes the device took, in order
    std::string counterName;    // the counter value niralm stores
    std::string counterStored;  // what it stored under that name; empty when nothing
};

// The spooled job `jobId` goes to the port.
MonitorDelivery DeliverThroughLanguageMonitor(HostMachine& host, DWORD jobId, const std::string& bytes,
                                              const WString& document);
