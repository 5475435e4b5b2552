#include "host/SheetUser.h"

#include <nirasim/Windows.h>

namespace {

constexpr int kTextChars = 260;

}  // namespace

HWND PageOf(const nirasim::PropertySheet& sheet, int templateId)
{
    for (HWND page : sheet.Pages()) {
        if (page != nullptr && nirasim::DialogTemplateOf(page) == templateId) {
            return page;
        }
    }
    return nullptr;
}

std::u16string TextOf(HWND window)
{
    WCHAR text[kTextChars] = {};
    GetWindowTextW(window, text, kTextChars);
    return text;
}

bool ChooseText(HWND combo, const std::u16string& text)
{
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        WCHAR item[kTextChars] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, row, 0) < kTextChars &&
            SendMessageW(combo, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(item)) != CB_ERR &&
            text == item) {
            nirasim::ChooseItem(combo, static_cast<int>(row));
            return true;
        }
    }
    return false;
}
