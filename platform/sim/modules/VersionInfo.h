// Version resources: VS_VERSIONINFO blocks built from a module's NIRASIM_VERSION_INFO or from a
// version a test gave a file.
#pragma once

#include <windows.h>
#include <nirasimres.h>

#include <string>
#include <vector>

namespace nirasim::sim {

struct VersionSpec {
    WORD fileVersion[4] = {};
    WORD productVersion[4] = {};
    DWORD fileType = VFT_DLL;
    WORD language = 0x0409;
    WORD codePage = 1200;
    std::vector<std::pair<std::u16string, std::u16string>> strings;
};

VersionSpec VersionSpecOf(const NIRASIM_VERSION_INFO& info);
std::vector<BYTE> BuildVersionBlock(const VersionSpec& spec);
// Gives a file (by Windows path) a version resource; replaces what its module would answer.
void SetFileVersion(const std::u16string& windowsPath, const VersionSpec& spec);

}  // namespace nirasim::sim
