// Tree-view controls: items in a hierarchy, addressed by handles that die with their item. A
// message naming a handle of an item already deleted is a fault of the caller: it stops the
// program at once, so a test can never pass over it.
#include "controls/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace nirasim::sim {
namespace {

struct TreeItem {
    HTREEITEM parent = nullptr;
    std::vector<HTREEITEM> children;
    std::u16string text;
    int image = 0;
    int selectedImage = 0;
    LPARAM lParam = 0;
    UINT state = 0;
};

struct TreeExtension : WindowExtension {
    std::map<HTREEITEM, TreeItem> items;
    std::vector<HTREEITEM> roots;
    HTREEITEM caret = nullptr;
    HTREEITEM firstVisible = nullptr;
};

// Handles are never reused, so that a stale one is always recognised.
ULONG_PTR g_nextHandle = 0x1000;

bool IsSpecial(HTREEITEM item)
{
    return item == TVI_ROOT || item == TVI_FIRST || item == TVI_LAST || item == TVI_SORT;
}

// The item of a handle; a handle this control never gave out or already deleted stops the program.
TreeItem* ItemOf(TreeExtension& tree, HTREEITEM handle, const char* message)
{
    auto found = tree.items.find(handle);
    if (found != tree.items.end()) {
        return &found->second;
    }
    std::fprintf(stderr, "nirasim: %s names tree item %p, which does not exist (deleted or never made)\n",
                 message, static_cast<void*>(handle));
    std::abort();
}

std::vector<HTREEITEM>& SiblingsOf(TreeExtension& tree, HTREEITEM parent)
{
    return parent == nullptr ? tree.roots : tree.items[parent].children;
}

void CopyIn(TreeItem& item, const TVITEMW& from)
{
    if ((from.mask & TVIF_TEXT) && from.pszText != nullptr) {
        item.text = from.pszText;
    }
    if (from.mask & TVIF_IMAGE) {
        item.image = from.iImage;
    }
    if (from.mask & TVIF_SELECTEDIMAGE) {
        item.selectedImage = from.iSelectedImage;
    }
    if (from.mask & TVIF_PARAM) {
        item.lParam = from.lParam;
    }
}

void CopyOut(const TreeItem& item, TVITEMW& to)
{
    if ((to.mask & TVIF_TEXT) && to.pszText != nullptr && to.cchTextMax > 0) {
        size_t length = std::min<size_t>(item.text.size(), static_cast<size_t>(to.cchTextMax) - 1);
        std::copy_n(item.text.data(), length, to.pszText);
        to.pszText[length] = 0;
    }
    if (to.mask & TVIF_IMAGE) {
        to.iImage = item.image;
    }
    if (to.mask & TVIF_SELECTEDIMAGE) {
        to.iSelectedImage = item.selectedImage;
    }
    if (to.mask & TVIF_PARAM) {
        to.lParam = item.lParam;
    }
    if (to.mask & TVIF_STATE) {
        to.state = item.state;
    }
    if (to.mask & TVIF_CHILDREN) {
        to.cChildren = static_cast<int>(item.children.size());
    }
}

LRESULT Insert(TreeExtension& tree, const TVINSERTSTRUCTW* insert)
{
    if (insert == nullptr) {
        return 0;
    }
    HTREEITEM parent = insert->hParent == TVI_ROOT || insert->hParent == nullptr ? nullptr : insert->hParent;
    if (parent != nullptr) {
        ItemOf(tree, parent, "TVM_INSERTITEMW (parent)");
    }
    if (!IsSpecial(insert->hInsertAfter) && insert->hInsertAfter != nullptr) {
        ItemOf(tree, insert->hInsertAfter, "TVM_INSERTITEMW (insert after)");
    }
    auto handle = reinterpret_cast<HTREEITEM>(g_nextHandle++);
    TreeItem item;
    item.parent = parent;
    CopyIn(item, insert->item);
    tree.items[handle] = item;
    std::vector<HTREEITEM>& siblings = SiblingsOf(tree, parent);
    auto position = siblings.end();
    if (insert->hInsertAfter == TVI_FIRST) {
        position = siblings.begin();
    } else if (!IsSpecial(insert->hInsertAfter) && insert->hInsertAfter != nullptr) {
        // After a sibling; after an item of another branch the new one goes last.
        auto after = std::find(siblings.begin(), siblings.end(), insert->hInsertAfter);
        position = after == siblings.end() ? siblings.end() : after + 1;
    }
    siblings.insert(position, handle);
    return reinterpret_cast<LRESULT>(handle);
}

void Delete(TreeExtension& tree, HTREEITEM handle)
{
    TreeItem& item = *ItemOf(tree, handle, "TVM_DELETEITEM");
    for (HTREEITEM child : std::vector<HTREEITEM>(item.children)) {
        Delete(tree, child);
    }
    std::vector<HTREEITEM>& siblings = SiblingsOf(tree, tree.items[handle].parent);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
    if (tree.caret == handle) {
        tree.caret = nullptr;
    }
    if (tree.firstVisible == handle) {
        tree.firstVisible = nullptr;
    }
    tree.items.erase(handle);
}

LRESULT NextItem(TreeExtension& tree, WPARAM relation, HTREEITEM from)
{
    HTREEITEM found = nullptr;
    switch (relation) {
    case TVGN_ROOT:
        found = tree.roots.empty() ? nullptr : tree.roots.front();
        break;
    case TVGN_CARET:
        found = tree.caret;
        break;
    case TVGN_FIRSTVISIBLE:
        found = tree.firstVisible;
        break;
    case TVGN_PARENT:
        found = ItemOf(tree, from, "TVM_GETNEXTITEM")->parent;
        break;
    case TVGN_CHILD: {
        const TreeItem* item =
            from == nullptr || from == TVI_ROOT ? nullptr : ItemOf(tree, from, "TVM_GETNEXTITEM");
        const std::vector<HTREEITEM>& children = item == nullptr ? tree.roots : item->children;
        found = children.empty() ? nullptr : children.front();
        break;
    }
    case TVGN_NEXT:
    case TVGN_PREVIOUS: {
        std::vector<HTREEITEM>& siblings = SiblingsOf(tree, ItemOf(tree, from, "TVM_GETNEXTITEM")->parent);
        auto at = std::find(siblings.begin(), siblings.end(), from);
        if (relation == TVGN_NEXT && at + 1 < siblings.end()) {
            found = *(at + 1);
        } else if (relation == TVGN_PREVIOUS && at != siblings.begin()) {
            found = *(at - 1);
        }
        break;
    }
    default:
        break;
    }
    return reinterpret_cast<LRESULT>(found);
}

LRESULT Select(TreeExtension& tree, WPARAM relation, HTREEITEM handle)
{
    if (handle != nullptr) {
        ItemOf(tree, handle, "TVM_SELECTITEM");
    }
    if (relation == TVGN_CARET) {
        if (tree.caret != nullptr) {
            tree.items[tree.caret].state &= ~TVIS_SELECTED;
        }
        tree.caret = handle;
        if (handle != nullptr) {
            tree.items[handle].state |= TVIS_SELECTED;
        }
    } else if (relation == TVGN_FIRSTVISIBLE) {
        tree.firstVisible = handle;
    }
    return TRUE;
}

LRESULT Expand(TreeExtension& tree, WPARAM action, HTREEITEM handle)
{
    TreeItem* item = ItemOf(tree, handle, "TVM_EXPAND");
    if ((action & TVE_TOGGLE) == TVE_EXPAND) {
        item->state |= TVIS_EXPANDED;
    } else if ((action & TVE_TOGGLE) == TVE_COLLAPSE) {
        item->state &= ~TVIS_EXPANDED;
    } else {
        item->state ^= TVIS_EXPANDED;
    }
    return TRUE;
}

LRESULT CALLBACK TreeViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto state = ControlState<TreeExtension>(window);
    if (state == nullptr) {
        return 0;
    }
    TreeExtension& tree = *state;
    auto* handle = reinterpret_cast<HTREEITEM>(lParam);
    switch (message) {
    case TVM_INSERTITEMW:
        return Insert(tree, reinterpret_cast<const TVINSERTSTRUCTW*>(lParam));
    case TVM_DELETEITEM:
        if (handle == TVI_ROOT || handle == nullptr) {
            for (HTREEITEM root : std::vector<HTREEITEM>(tree.roots)) {
                Delete(tree, root);
            }
        } else {
            Delete(tree, handle);
        }
        return TRUE;
    case TVM_GETCOUNT:
        return static_cast<LRESULT>(tree.items.size());
    case TVM_EXPAND:
        return Expand(tree, wParam, handle);
    case TVM_GETNEXTITEM:
        return NextItem(tree, wParam, handle);
    case TVM_SELECTITEM:
        return Select(tree, wParam, handle);
    case TVM_GETITEMW:
    case TVM_SETITEMW: {
        auto* item = reinterpret_cast<TVITEMW*>(lParam);
        if (item == nullptr) {
            return FALSE;
        }
        TreeItem* stored =
            ItemOf(tree, item->hItem, message == TVM_GETITEMW ? "TVM_GETITEMW" : "TVM_SETITEMW");
        if (message == TVM_GETITEMW) {
            CopyOut(*stored, *item);
        } else {
            CopyIn(*stored, *item);
        }
        return TRUE;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

SystemClass treeClass(u"SysTreeView32", TreeViewProc);

}  // namespace
}  // namespace nirasim::sim
