// Registers the PrintTicket job (PrintTicketJob.cpp) with the host program.
#include "host/HostJob.h"
#include "host/PrintTicketJob.h"

#include <iostream>

namespace {

int Run(HostMachine&, const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        HostMachine::Print("(no files given: nirahost printticket FILE... reads PrintTicket or PrintCapabilities files)");
        return 0;
    }
    return host::RunPrintTicketJob(arguments, std::cout);
}

const HostJobRegistration job{{"printticket", "what the PrintTicket library finds in PrintTicket and PrintCapabilities files", 20, Run}};

}  // namespace
