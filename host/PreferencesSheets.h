// The printing preferences as the core driver opens them through the UI plug-in on the machine's
// property-sheet host: the tree view and the pages nirapres made, each page as a PNG, a change the
// user makes on the pages, OK, and the settings the DEVMODE's private section then carries.
#pragma once

#include "host/HostMachine.h"

#include <string>

class CNiraUISettings;

// `names` gives the option names and the packed range; answers the number of failures.
int ShowPreferencesSheets(HostMachine& host, const std::string& outFolder, CNiraUISettings& names);
