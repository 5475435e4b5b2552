// Counts the simulated machine's live COM objects, so tests can show that references balance.
#pragma once

#include <atomic>

namespace nirasim {
namespace com {

std::atomic<long>& LiveObjects();

// Base member of every COM object the simulated machine makes.
struct ObjectCounter {
    ObjectCounter() { ++LiveObjects(); }
    ObjectCounter(const ObjectCounter&) : ObjectCounter() {}
    ~ObjectCounter() { --LiveObjects(); }
};

bool ShouldFailBstrAllocation();

}  // namespace com
}  // namespace nirasim
