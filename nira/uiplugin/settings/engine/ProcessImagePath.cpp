#include "nira/uiplugin/settings/engine/ProcessImagePath.h"

#include <string.h>

bool GetProcessImagePath(WCHAR (&path)[MAX_PATH + 1])
{
    memset(path, 0, sizeof(path));
    return GetModuleFileNameW(nullptr, path, MAX_PATH) != 0;
}

const WCHAR* GetPathFileName(const WCHAR* path)
{
    const WCHAR* name = path;
    if (path[0] != 0 && path[1] == TEXT(':')) {
        name = path + 2;
    }
    for (const WCHAR* at = name; *at != 0; ++at) {
        if (*at == TEXT('\\') || *at == TEXT('/')) {
            name = at + 1;
        }
    }
    return name;
}
