// How the UI core makes feature handlers. The handlers live in a layer above the core, so the core
// holds a factory function: the handler library installs its factory as the process default, and
// a core may be given another (tests do).
#pragma once

class INiraFeatureHandler;

// A new handler for a class id, owned by the caller, or null; *isGeneric is 1 when the class id has
// no class of its own.
typedef INiraFeatureHandler* (*NiraHandlerFactory)(int classId, int* isGeneric);

void SetDefaultHandlerFactory(NiraHandlerFactory factory);
// Null until the handler library installed its factory.
NiraHandlerFactory GetDefaultHandlerFactory();
