// A private devmode section as the plug-in core makes a default one: zeros and the four header
// fields.
#pragma once

#include <cstring>
#include <memory>

#include "common/PrivateDevMode.h"

inline std::unique_ptr<PrivateDevMode> DefaultPrivateSection()
{
    auto block = std::make_unique<PrivateDevMode>();
    std::memset(block.get(), 0, sizeof(PrivateDevMode));
    block->size = PRIVATE_DEVMODE_SIZE;
    block->signature = PRIVATE_DEVMODE_SIGNATURE;
    block->version = PRIVATE_DEVMODE_VERSION;
    block->sectionGuid = PRIVATE_DEVMODE_GUID;
    return block;
}
