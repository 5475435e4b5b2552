// The COM base: IUnknown, the COM API and the OLE types.
#pragma once

#include <wtypes.h>
#include <combaseapi.h>
#include <unknwn.h>
