// What the host's jobs do as the user of an open property sheet: find a page by its template,
// read and choose the texts of its controls.
#pragma once

#include <windows.h>

#include <nirasim/PropertySheets.h>

#include <string>

// The page made from a dialog template; null when the sheet has none.
HWND PageOf(const nirasim::PropertySheet& sheet, int templateId);
// The text of a window; the selected row's text for a combo box.
std::u16string TextOf(HWND window);
// Chooses the row of a combo box whose text is `text`, as the user would; false without one.
bool ChooseText(HWND combo, const std::u16string& text);
