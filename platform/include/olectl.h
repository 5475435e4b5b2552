// OLE controls: the self-registration results of DllRegisterServer and DllUnregisterServer.
#pragma once

#include <winerror.h>

#define SELFREG_E_FIRST _HRESULT_TYPEDEF_(0x80040200L)
#define SELFREG_E_TYPELIB _HRESULT_TYPEDEF_(0x80040200L)
#define SELFREG_E_CLASS _HRESULT_TYPEDEF_(0x80040201L)
