#include "nira/uiplugin/core/uicore/HandlerFactoryHook.h"

namespace {

// Constant-initialised, so that an installer running during static initialisation finds it ready.
NiraHandlerFactory g_defaultFactory = nullptr;

}  // namespace

void SetDefaultHandlerFactory(NiraHandlerFactory factory)
{
    g_defaultFactory = factory;
}

NiraHandlerFactory GetDefaultHandlerFactory()
{
    return g_defaultFactory;
}
