// Where the picture-making jobs write their PNGs: the folder after `--out`, else "nirahost-out".
#pragma once

#include <string>
#include <vector>

// The folder, made if missing.
std::string MakeOutFolder(const std::vector<std::string>& arguments);
