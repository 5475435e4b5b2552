// What the host's jobs show of a private DEVMODE section, and the formatting they share.
#pragma once

#include <string>

#include "common/PrivateDevMode.h"

// printf-style formatting into a line of at most 255 characters.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The header, the packed lengths and the two checksums of a section.
void ShowSectionHeader(const PrivateDevMode& block);
