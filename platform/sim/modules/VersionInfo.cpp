// GetFileVersionInfoW and VerQueryValueW over VS_VERSIONINFO blocks laid out as Windows lays
// them out: nodes of {length, value length, type, key} with their value and children, each
// aligned to 4 bytes.
#include "modules/VersionInfo.h"

#include "core/MachineState.h"
#include "core/Wide.h"
#include "files/HostFiles.h"
#include "files/PathMap.h"
#include "modules/Modules.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

constexpr WORD kBinaryNode = 0;
constexpr WORD kTextNode = 1;

struct FileVersions {
    std::mutex lock;
    std::map<std::u16string, std::vector<BYTE>, NoCaseLess> blocks;
};

FileVersions& Versions()
{
    static auto* versions = new FileVersions;
    return *versions;
}

ResetHook resetVersions([] {
    std::lock_guard<std::mutex> guard(Versions().lock);
    Versions().blocks.clear();
});

void Align(std::vector<BYTE>& out)
{
    while (out.size() % 4 != 0) {
        out.push_back(0);
    }
}

void PutWord(std::vector<BYTE>& out, size_t at, WORD value)
{
    std::memcpy(out.data() + at, &value, sizeof(value));
}

// Appends a node; `fill` appends its value and children. Answers nothing: the lengths are
// patched in once the node is complete.
template <typename Fill>
void Node(std::vector<BYTE>& out, const std::u16string& key, WORD type, WORD valueLength, Fill fill)
{
    Align(out);
    size_t start = out.size();
    out.resize(start + 6);
    PutWord(out, start + 2, valueLength);
    PutWord(out, start + 4, type);
    const BYTE* keyBytes = reinterpret_cast<const BYTE*>(key.c_str());
    out.insert(out.end(), keyBytes, keyBytes + (key.size() + 1) * sizeof(WCHAR));
    Align(out);
    fill();
    PutWord(out, start, static_cast<WORD>(out.size() - start));
}

DWORD Pack(const WORD (&version)[4], int high)
{
    return (static_cast<DWORD>(version[high]) << 16) | version[high + 1];
}

// The node under `at` (within `end`) whose key matches `name`; its value and children bounds.
struct NodeView {
    const BYTE* start;
    WORD length;
    WORD valueLength;
    WORD type;
    std::u16string key;
    const BYTE* value;
    const BYTE* children;
    const BYTE* end;
};

bool ReadNode(const BYTE* at, const BYTE* limit, NodeView& node)
{
    if (limit - at < 6) {
        return false;
    }
    node.start = at;
    std::memcpy(&node.length, at, 2);
    std::memcpy(&node.valueLength, at + 2, 2);
    std::memcpy(&node.type, at + 4, 2);
    if (node.length < 6 || node.length > limit - at) {
        return false;
    }
    node.end = at + node.length;
    const BYTE* key = at + 6;
    node.key.clear();
    while (key + 1 < node.end) {
        char16_t c;
        std::memcpy(&c, key, 2);
        key += 2;
        if (c == 0) {
            break;
        }
        node.key.push_back(c);
    }
    size_t offset = static_cast<size_t>(key - at);
    offset = (offset + 3) & ~size_t{3};
    node.value = at + std::min<size_t>(offset, node.length);
    size_t valueBytes = node.type == kTextNode ? node.valueLength * sizeof(WCHAR) : node.valueLength;
    size_t childOffset = (static_cast<size_t>(node.value - at) + valueBytes + 3) & ~size_t{3};
    node.children = at + std::min<size_t>(childOffset, node.length);
    return node.value + std::min<size_t>(valueBytes, node.length) <= node.end;
}

bool FindChild(const NodeView& parent, const std::u16string& name, NodeView& child)
{
    const BYTE* at = parent.children;
    while (at < parent.end && ReadNode(at, parent.end, child)) {
        if (EqualNoCase(child.key, name)) {
            return true;
        }
        at = child.start + ((child.length + 3) & ~3);
    }
    return false;
}

// The block a file answers; empty with the error when it has none.
std::vector<BYTE> BlockOf(LPCWSTR fileName, DWORD& error)
{
    error = ERROR_SUCCESS;
    if (fileName == nullptr || *fileName == 0) {
        error = ERROR_INVALID_PARAMETER;
        return {};
    }
    std::u16string full = FullWindowsPath(fileName);
    {
        std::lock_guard<std::mutex> guard(Versions().lock);
        auto found = Versions().blocks.find(full);
        if (found != Versions().blocks.end()) {
            return found->second;
        }
    }
    if (KindOf(MapWindowsPath(full)) != HostKind::File) {
        error = ERROR_FILE_NOT_FOUND;
        return {};
    }
    HMODULE module = LoadLibraryExW(full.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        error = ERROR_RESOURCE_TYPE_NOT_FOUND;  // not a module: no resources at all
        return {};
    }
    std::vector<BYTE> block;
    if (HRSRC version = FindResourceW(module, MAKEINTRESOURCEW(1), RT_VERSION)) {
        const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, version)));
        block.assign(bytes, bytes + SizeofResource(module, version));
    } else {
        error = GetLastError();
    }
    FreeLibrary(module);
    return block;
}

}  // namespace

VersionSpec VersionSpecOf(const NIRASIM_VERSION_INFO& info)
{
    VersionSpec spec;
    std::memcpy(spec.fileVersion, info.wFileVersion, sizeof(spec.fileVersion));
    std::memcpy(spec.productVersion, info.wProductVersion, sizeof(spec.productVersion));
    spec.fileType = info.dwFileType;
    spec.language = info.wLanguage;
    spec.codePage = info.wCodePage;
    for (DWORD i = 0; info.pStrings != nullptr && i < info.cStrings; ++i) {
        if (info.pStrings[i].pszName != nullptr && info.pStrings[i].pszValue != nullptr) {
            spec.strings.emplace_back(info.pStrings[i].pszName, info.pStrings[i].pszValue);
        }
    }
    return spec;
}

std::vector<BYTE> BuildVersionBlock(const VersionSpec& spec)
{
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    fixed.dwFileVersionMS = Pack(spec.fileVersion, 0);
    fixed.dwFileVersionLS = Pack(spec.fileVersion, 2);
    fixed.dwProductVersionMS = Pack(spec.productVersion, 0);
    fixed.dwProductVersionLS = Pack(spec.productVersion, 2);
    fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = spec.fileType;

    char tableName[16];
    std::snprintf(tableName, sizeof(tableName), "%04x%04x", spec.language, spec.codePage);
    std::vector<BYTE> out;
    Node(out, u"VS_VERSION_INFO", kBinaryNode, sizeof(fixed), [&] {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(&fixed);
        out.insert(out.end(), bytes, bytes + sizeof(fixed));
        Node(out, u"StringFileInfo", kTextNode, 0, [&] {
            Node(out, WideFromUtf8(tableName), kTextNode, 0, [&] {
                for (const auto& [name, value] : spec.strings) {
                    Node(out, name, kTextNode, static_cast<WORD>(value.size() + 1), [&, &value = value] {
                        const BYTE* text = reinterpret_cast<const BYTE*>(value.c_str());
                        out.insert(out.end(), text, text + (value.size() + 1) * sizeof(WCHAR));
                    });
                }
            });
        });
        Node(out, u"VarFileInfo", kTextNode, 0, [&] {
            DWORD translation = spec.language | (static_cast<DWORD>(spec.codePage) << 16);
            Node(out, u"Translation", kBinaryNode, sizeof(translation), [&] {
                const BYTE* bytes = reinterpret_cast<const BYTE*>(&translation);
                out.insert(out.end(), bytes, bytes + sizeof(translation));
            });
        });
    });
    return out;
}

void SetFileVersion(const std::u16string& windowsPath, const VersionSpec& spec)
{
    std::lock_guard<std::mutex> guard(Versions().lock);
    Versions().blocks[FullWindowsPath(windowsPath)] = BuildVersionBlock(spec);
}

}  // namespace nirasim::sim

using namespace nirasim::sim;

DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle)
{
    if (lpdwHandle != nullptr) {
        *lpdwHandle = 0;
    }
    DWORD error;
    std::vector<BYTE> block = BlockOf(lptstrFilename, error);
    if (block.empty()) {
        SetLastError(error == ERROR_SUCCESS ? ERROR_RESOURCE_TYPE_NOT_FOUND : error);
        return 0;
    }
    return static_cast<DWORD>(block.size());
}

BOOL WINAPI GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData)
{
    if (lpData == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD error;
    std::vector<BYTE> block = BlockOf(lptstrFilename, error);
    if (block.empty()) {
        SetLastError(error == ERROR_SUCCESS ? ERROR_RESOURCE_TYPE_NOT_FOUND : error);
        return FALSE;
    }
    size_t copied = std::min<size_t>(dwLen, block.size());
    std::memcpy(lpData, block.data(), copied);
    if (copied >= 2 && copied < block.size()) {
        PutWord(block, 0, static_cast<WORD>(copied));  // a cut block says how long it is
        std::memcpy(lpData, block.data(), 2);
    }
    return TRUE;
}

BOOL WINAPI VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen)
{
    if (pBlock == nullptr || lpSubBlock == nullptr || lplpBuffer == nullptr) {
        return FALSE;
    }
    const BYTE* block = static_cast<const BYTE*>(pBlock);
    WORD total;
    std::memcpy(&total, block, sizeof(total));
    NodeView node;
    if (!ReadNode(block, block + total, node)) {
        return FALSE;
    }
    std::u16string path(lpSubBlock);
    size_t at = 0;
    while (at < path.size()) {
        size_t next = path.find(u'\\', at);
        std::u16string name =
            path.substr(at, next == std::u16string::npos ? std::u16string::npos : next - at);
        at = next == std::u16string::npos ? path.size() : next + 1;
        if (name.empty()) {
            continue;
        }
        NodeView child;
        if (!FindChild(node, name, child)) {
            return FALSE;
        }
        node = child;
    }
    if (node.valueLength == 0) {
        return FALSE;
    }
    *lplpBuffer = const_cast<BYTE*>(node.value);
    if (puLen != nullptr) {
        *puLen = node.valueLength;  // characters for texts, bytes otherwise
    }
    return TRUE;
}
