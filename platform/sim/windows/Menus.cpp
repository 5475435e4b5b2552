// Menus: built from RT_MENU templates (a header, then items: a popup is its flags and text
// followed by its own items, a command item its flags, id and text; MF_END closes a level), kept
// with their check marks, enabled state and texts. A top-level window's menu is the handle it was
// made with. Nothing is drawn.
#include "core/MachineState.h"
#include "core/Wide.h"
#include "windows/WindowTable.h"

#include <nirasim/Windows.h>

#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

constexpr size_t kMenuHeaderBytes = 4;
constexpr int kDeepestMenu = 8;

struct MenuItem {
    UINT flags = 0;
    UINT id = 0;
    std::u16string text;
    HMENU submenu = nullptr;
};

struct Menu {
    std::vector<MenuItem> items;
};

struct MenuTable {
    std::recursive_mutex lock;
    std::map<HMENU, Menu> menus;
    uintptr_t next = 0x7000;
};

MenuTable& Menus()
{
    static auto* table = new MenuTable;
    return *table;
}

ResetHook resetMenus([] {
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    Menus().menus.clear();
});

HMENU NewMenu()
{
    MenuTable& table = Menus();
    auto handle = reinterpret_cast<HMENU>(table.next += 4);
    table.menus[handle] = Menu();
    return handle;
}

// Reads a text of the template; false when it runs past the end.
bool ReadText(const BYTE* data, size_t size, size_t& at, std::u16string& text)
{
    text.clear();
    for (;;) {
        if (at + 2 > size) {
            return false;
        }
        char16_t unit = static_cast<char16_t>(data[at] | data[at + 1] << 8);
        at += 2;
        if (unit == 0) {
            return true;
        }
        text.push_back(unit);
    }
}

bool ReadWord(const BYTE* data, size_t size, size_t& at, WORD& value)
{
    if (at + 2 > size) {
        return false;
    }
    value = static_cast<WORD>(data[at] | data[at + 1] << 8);
    at += 2;
    return true;
}

// The items of one level into `menu`, up to the item flagged MF_END.
bool ReadLevel(const BYTE* data, size_t size, size_t& at, HMENU menu, int depth)
{
    if (depth > kDeepestMenu) {
        return false;
    }
    for (;;) {
        MenuItem item;
        WORD flags = 0;
        if (!ReadWord(data, size, at, flags)) {
            return false;
        }
        item.flags = flags & ~static_cast<UINT>(MF_END);
        WORD id = 0;
        if ((flags & MF_POPUP) == 0 && !ReadWord(data, size, at, id)) {
            return false;
        }
        item.id = id;
        if (!ReadText(data, size, at, item.text)) {
            return false;
        }
        if ((flags & MF_POPUP) != 0) {
            item.submenu = NewMenu();
            if (!ReadLevel(data, size, at, item.submenu, depth + 1)) {
                return false;
            }
        }
        Menus().menus[menu].items.push_back(item);
        if ((flags & MF_END) != 0) {
            return true;
        }
    }
}

Menu* MenuOf(HMENU handle)
{
    auto it = Menus().menus.find(handle);
    return it == Menus().menus.end() ? nullptr : &it->second;
}

// The item by position, or by command anywhere below the menu.
MenuItem* FindItem(HMENU handle, UINT which, UINT flags, int depth = 0)
{
    Menu* menu = MenuOf(handle);
    if (menu == nullptr || depth > kDeepestMenu) {
        return nullptr;
    }
    if ((flags & MF_BYPOSITION) != 0) {
        return which < menu->items.size() ? &menu->items[which] : nullptr;
    }
    for (MenuItem& item : menu->items) {
        if (item.submenu == nullptr && item.id == which) {
            return &item;
        }
        if (item.submenu != nullptr) {
            if (MenuItem* found = FindItem(item.submenu, which, flags, depth + 1)) {
                return found;
            }
        }
    }
    return nullptr;
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

HMENU WINAPI LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName)
{
    HRSRC resource = FindResourceW(hInstance, lpMenuName, RT_MENU);
    HGLOBAL loaded = resource != nullptr ? LoadResource(hInstance, resource) : nullptr;
    const auto* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    size_t size = resource != nullptr ? SizeofResource(hInstance, resource) : 0;
    if (data == nullptr || size < kMenuHeaderBytes) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    HMENU menu = NewMenu();
    size_t at = kMenuHeaderBytes;
    if (!ReadLevel(data, size, at, menu, 0)) {
        DestroyMenu(menu);
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return menu;
}

BOOL WINAPI DestroyMenu(HMENU hMenu)
{
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    Menu* menu = MenuOf(hMenu);
    if (menu == nullptr) {
        return FALSE;
    }
    std::vector<HMENU> submenus;
    for (const MenuItem& item : menu->items) {
        if (item.submenu != nullptr) {
            submenus.push_back(item.submenu);
        }
    }
    Menus().menus.erase(hMenu);
    for (HMENU submenu : submenus) {
        DestroyMenu(submenu);
    }
    return TRUE;
}

HMENU WINAPI GetMenu(HWND hWnd)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr || (window->style & WS_CHILD) != 0) {
        return nullptr;
    }
    return reinterpret_cast<HMENU>(window->id);
}

HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos)
{
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    MenuItem* item = nPos < 0 ? nullptr : FindItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
    return item == nullptr ? nullptr : item->submenu;
}

int WINAPI GetMenuItemCount(HMENU hMenu)
{
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    Menu* menu = MenuOf(hMenu);
    return menu == nullptr ? -1 : static_cast<int>(menu->items.size());
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos)
{
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    MenuItem* item = nPos < 0 ? nullptr : FindItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
    return item == nullptr || item->submenu != nullptr ? static_cast<UINT>(-1) : item->id;
}

int WINAPI GetMenuStringW(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags)
{
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    MenuItem* item = FindItem(hMenu, uIDItem, flags);
    if (item == nullptr) {
        return 0;
    }
    if (lpString == nullptr || cchMax <= 0) {
        return static_cast<int>(item->text.size());
    }
    size_t count = std::min<size_t>(item->text.size(), static_cast<size_t>(cchMax) - 1);
    std::copy_n(item->text.data(), count, lpString);
    lpString[count] = 0;
    return static_cast<int>(count);
}

UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags)
{
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    MenuItem* item = FindItem(hMenu, uId, uFlags);
    return item == nullptr ? static_cast<UINT>(-1) : item->flags;
}

BOOL WINAPI ModifyMenuW(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    MenuItem* item = FindItem(hMnu, uPosition, uFlags);
    if (item == nullptr) {
        return FALSE;
    }
    item->flags = uFlags & ~static_cast<UINT>(MF_BYPOSITION);
    if ((uFlags & MF_POPUP) != 0) {
        item->submenu = reinterpret_cast<HMENU>(uIDNewItem);
    } else {
        item->submenu = nullptr;
        item->id = static_cast<UINT>(uIDNewItem);
    }
    item->text = (uFlags & MF_SEPARATOR) != 0 ? std::u16string() : WideFrom(lpNewItem);
    return TRUE;
}

DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck)
{
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    MenuItem* item = FindItem(hMenu, uIDCheckItem, uCheck);
    if (item == nullptr) {
        return static_cast<DWORD>(-1);
    }
    DWORD previous = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~static_cast<UINT>(MF_CHECKED)) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    std::lock_guard<std::recursive_mutex> guard(Menus().lock);
    MenuItem* item = FindItem(hMenu, uIDEnableItem, uEnable);
    if (item == nullptr) {
        return -1;
    }
    UINT previous = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags =
        (item->flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

BOOL WINAPI DrawMenuBar(HWND hWnd)
{
    return IsWindow(hWnd);
}
