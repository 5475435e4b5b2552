// The font of owner-drawn list and combo items: the menu font's face at 8 points (9 for Chinese,
// Japanese and Korean UI languages), normal weight.
#pragma once

#include <windows.h>

// A new font for the DC's resolution; the caller deletes it.
HFONT CreateItemFont(HDC dc);
