// Asynchronous print notifications for the Windows compile check: mingw-w64's <prnasnot.h> lacks
// the channel, callback and data-object interfaces, so the project's one declaration is used.
#pragma once

#include "../include/prnasnot.h"
