// Test control of the simulated machine's COM: object counts and allocation failures.
#pragma once

#include <windows.h>

namespace nirasim {
namespace com {

// COM objects of the simulated machine (DOM documents, nodes, lists, maps) alive right now.
LONG LiveObjectCount();

// Makes BSTR allocations fail (answer null) once `successes` further allocations have succeeded;
// a negative count lets every allocation succeed again.
void FailBstrAllocationsAfter(int successes);

}  // namespace com
}  // namespace nirasim
