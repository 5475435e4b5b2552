// Test control of the simulated machine's modules: which modules LoadLibraryW has loaded.
#pragma once

#include <string>
#include <vector>

namespace nirasim {

// The Windows path of every module loaded afresh (not a second reference to a loaded one), in
// load order, since the machine started.
std::vector<std::u16string> ModulesLoaded();

}  // namespace nirasim
