#include <nirasim/InjectedFailures.h>

#include "core/Failures.h"

namespace nirasim {
namespace failures {

bool IsInjectable(const std::string& function)
{
    return sim::IsInjectableFunction(function);
}

void ResetCallCount()
{
    sim::ResetInjectableCallCount();
}

unsigned long CallCount()
{
    return sim::InjectableCallCount();
}

void FailCallNumber(unsigned long number, DWORD error)
{
    sim::FailInjectableCallNumber(number, error);
}

std::string FailedCall()
{
    return sim::NumberedFailureCall();
}

}  // namespace failures
}  // namespace nirasim
