// Creation of the simulated MSXML document for CoCreateInstance.
#pragma once

#include <objbase.h>

namespace nirasim {
namespace xml {

HRESULT CreateDocument(REFIID riid, void** object);

}  // namespace xml
}  // namespace nirasim
