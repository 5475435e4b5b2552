// The handler of the paper list (class 4233), which owns the paper size in the capability
// database. It is the paper size handler until the user's custom forms come with it.
#pragma once

#include "nira/uiplugin/features/handlers/PaperSizeHandler.h"

class CNiraPaperListHandler : public CNiraPaperSizeHandler {};
