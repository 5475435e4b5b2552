// The host job that reads a PrintTicket or PrintCapabilities file and prints what the PrintTicket
// library finds in it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace host {

// Describes each file named in arguments; answers 0 when every file could be read.
int RunPrintTicketJob(const std::vector<std::string>& arguments, std::ostream& out);

}  // namespace host
