// Test control of the simulated machine's COM: object counts and allocation failures.
#pragma once

#include <windows.h>

#include <vector>

namespace nirasim {
namespace com {

// COM objects of the simulated machine (DOM documents, nodes, lists, maps) alive right now.
LONG LiveObjectCount();

// Makes BSTR allocations fail (answer null) once `successes` further allocations have succeeded;
// a negative count lets every allocation succeed again.
void FailBstrAllocationsAfter(int successes);

// The next CoCreateGuid calls answer these GUIDs, in order, before random ones again; a fresh
// machine forgets them.
void FixNextGuids(const std::vector<GUID>& guids);

}  // namespace com
}  // namespace nirasim
