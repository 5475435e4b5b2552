// Classes registered in the registry: what CoGetClassObject falls back on when no running server
// registered the class object itself.
#pragma once

#include <objbase.h>

namespace nirasim {
namespace com {

// The class factory of an in-process server registered under
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32: the DLL is loaded (and stays loaded, as COM keeps
// it until unused libraries are freed) and asked through its DllGetClassObject.
// REGDB_E_CLASSNOTREG when the class is not registered, CO_E_DLLNOTFOUND when the DLL does not
// load, CO_E_ERRORINDLL when it exports no DllGetClassObject.
HRESULT GetInprocServerFactory(REFCLSID clsid, REFIID iid, void** factory);

}  // namespace com
}  // namespace nirasim
