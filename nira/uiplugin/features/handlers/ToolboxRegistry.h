// Where the maker's printer toolbox is registered in the machine's registry: the printing system's
// configuration key of a driver or printer (value "ToolboxPath") and the toolbox's own key (value
// "Executable"). The "ToolboxPath" keys are looked up in the registry's own view, then in its
// 32-bit view, where the toolbox's 32-bit installer writes them.
#pragma once

#include <windows.h>

constexpr WCHAR kToolboxConfigRoot[] = TEXT("SOFTWARE\\Norvell-Ashby\\ZQLW Printing System Config\\");
constexpr WCHAR kToolboxPathValue[] = TEXT("ToolboxPath");
constexpr WCHAR kToolboxProgram[] = TEXT("niratoolbox.exe");
