// The preview library's resources as the simulated machine reads a module's resources: the string
// table and the menu template, built in the resource compiler's layout.
#include <windows.h>
#include <nirasimres.h>

#include <string>
#include <vector>

#include "printpreviewer/PreviewResources.h"
#include "package/version/sim/NiraVersionInfo.h"

namespace {

constexpr WORD kEnglish = 0x0409;
constexpr WORD kPopup = 0x0010;
constexpr WORD kLastItem = 0x0080;

#define NIRAPREV_STRING_ENTRY(id, text) {kEnglish, id, TEXT(text)},
const NIRASIM_STRING_ENTRY kStrings[] = {NIRAPREV_TEXTS(NIRAPREV_STRING_ENTRY)};

struct MenuItemText {
    LPCWSTR text;
    WORD id;  // 0 for a separator
};

void PutWord(std::vector<BYTE>& out, WORD value)
{
    out.push_back(static_cast<BYTE>(value));
    out.push_back(static_cast<BYTE>(value >> 8));
}

void PutText(std::vector<BYTE>& out, LPCWSTR text)
{
    for (; *text != 0; ++text) {
        PutWord(out, static_cast<WORD>(*text));
    }
    PutWord(out, 0);
}

void PutItems(std::vector<BYTE>& out, const std::vector<MenuItemText>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        PutWord(out, i + 1 == items.size() ? kLastItem : 0);
        PutWord(out, items[i].id);
        PutText(out, items[i].text);
    }
}

#define NIRAPREV_ITEM_ENTRY(text, id) {TEXT(text), id},
#define NIRAPREV_SEPARATOR_ENTRY() {TEXT(""), 0},

const std::vector<BYTE>& MenuTemplate()
{
    static const std::vector<BYTE> bytes = [] {
        std::vector<BYTE> out;
        PutWord(out, 0);  // version
        PutWord(out, 0);  // header size
        PutWord(out, kPopup);
        PutText(out, TEXT("&File"));
        PutItems(out, {NIRAPREV_FILE_ITEMS(NIRAPREV_ITEM_ENTRY, NIRAPREV_SEPARATOR_ENTRY)});
        PutWord(out, kPopup | kLastItem);
        PutText(out, TEXT("&View"));
        PutWord(out, kPopup | kLastItem);
        PutText(out, TEXT("&Zoom"));
        PutItems(out, {NIRAPREV_ZOOM_ITEMS(NIRAPREV_ITEM_ENTRY)});
        return out;
    }();
    return bytes;
}

}  // namespace

extern "C" __declspec(dllexport) const NIRASIM_RESOURCE_TABLE* WINAPI NiraSimGetResources(void)
{
    static const NIRASIM_RESOURCE_ENTRY resources[] = {
        {RT_MENU, MAKEINTRESOURCEW(NIRAPREV_MENU), kEnglish, MenuTemplate().data(),
         static_cast<DWORD>(MenuTemplate().size())},
    };
    static const NIRASIM_RESOURCE_TABLE table = {
        NIRASIM_RESOURCE_TABLE_VERSION, kStrings,         ARRAYSIZE(kStrings), resources,
        ARRAYSIZE(resources),           NiraVersionInfo()};
    return &table;
}
