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
    block->size = kPrivateDevmodeSize;
    block->signature = kPrivateDevmodeSignature;
    block->version = kPrivateDevmodeVersion;
    block->sectionGuid = kPrivateDevmodeGuid;
    return block;
}
