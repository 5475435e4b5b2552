#include "files/PathMap.h"

#include "core/MachineState.h"
#include "core/Wide.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

namespace nirasim::sim {
namespace {

bool IsSeparator(char16_t c)
{
    return c == u'\\' || c == u'/';
}

std::vector<std::u16string> SplitNames(std::u16string_view text)
{
    std::vector<std::u16string> names;
    std::u16string current;
    for (char16_t c : text) {
        if (IsSeparator(c)) {
            if (!current.empty()) {
                names.push_back(current);
            }
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) {
        names.push_back(current);
    }
    return names;
}

// Drops "." and resolves ".." lexically; ".." at the top stays at the top.
std::vector<std::u16string> Normalise(const std::vector<std::u16string>& names)
{
    std::vector<std::u16string> out;
    for (const auto& name : names) {
        if (name == u".") {
            continue;
        }
        if (name == u"..") {
            if (!out.empty()) {
                out.pop_back();
            }
            continue;
        }
        out.push_back(name);
    }
    return out;
}

std::u16string CurrentDirectory()
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    return state.process.currentDirectory;
}

// Splits a path into its prefix ("C:" or "\\server\share") and the names below it.
void SplitPrefix(std::u16string_view path, std::u16string& prefix, std::vector<std::u16string>& names)
{
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        auto parts = SplitNames(path);
        prefix = u"\\\\";
        for (size_t i = 0; i < parts.size() && i < 2; ++i) {
            prefix += (i ? u"\\" : u"") + parts[i];
        }
        names.assign(parts.begin() + std::min<size_t>(2, parts.size()), parts.end());
        return;
    }
    if (path.size() >= 2 && path[1] == u':') {
        prefix = std::u16string(1, FoldUpper(path[0])) + u":";
        auto rest = path.substr(2);
        names = SplitNames(rest);
        if (rest.empty() || !IsSeparator(rest[0])) {
            // "C:name" is relative to the drive's current folder: the current folder when on
            // that drive, else the drive's root.
            std::u16string current = CurrentDirectory();
            if (current.size() >= 2 && FoldUpper(current[0]) == prefix[0]) {
                auto base = SplitNames(std::u16string_view(current).substr(2));
                base.insert(base.end(), names.begin(), names.end());
                names = base;
            }
        }
        return;
    }
    std::u16string current = CurrentDirectory();
    if (!path.empty() && IsSeparator(path[0])) {
        prefix = current.substr(0, 2);
        names = SplitNames(path);
        return;
    }
    std::u16string full = current + u"\\" + std::u16string(path);
    SplitPrefix(full, prefix, names);
}

// The host name in `folder` that matches `name` without regard to case; `name` itself when the
// exact name exists or none matches.
std::string ResolveName(const std::string& folder, const std::u16string& name)
{
    std::string exact = Utf8FromWide(name);
    struct stat info;
    if (stat((folder + "/" + exact).c_str(), &info) == 0) {
        return exact;
    }
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return exact;
    }
    std::string found = exact;
    while (dirent* entry = readdir(dir)) {
        if (EqualNoCase(WideFromUtf8(entry->d_name), name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

}  // namespace

std::u16string FullWindowsPath(std::u16string_view path)
{
    std::u16string prefix;
    std::vector<std::u16string> names;
    SplitPrefix(path, prefix, names);
    names = Normalise(names);
    std::u16string full = prefix;
    for (const auto& name : names) {
        full += u"\\" + name;
    }
    if (names.empty() && prefix.size() == 2) {
        full += u"\\";
    }
    return full;
}

std::string MapWindowsPath(std::u16string_view windowsPath)
{
    std::u16string prefix;
    std::vector<std::u16string> names;
    SplitPrefix(windowsPath, prefix, names);
    names = Normalise(names);

    std::string host = RootFolder();
    if (prefix.size() >= 2 && prefix[0] == u'\\') {
        host += "/UNC";
        auto unc = SplitNames(prefix);
        names.insert(names.begin(), unc.begin(), unc.end());
    } else {
        host += "/" + Utf8FromWide(prefix.substr(0, 1));
    }
    for (const auto& name : names) {
        host += "/" + ResolveName(host, name);
    }
    return host;
}

std::string MapWindowsPath(const WCHAR* windowsPath)
{
    return MapWindowsPath(std::u16string_view(windowsPath ? windowsPath : u""));
}

std::string MapWindowsPathUtf8(std::string_view utf8WindowsPath)
{
    return MapWindowsPath(WideFromUtf8(utf8WindowsPath));
}

std::u16string WindowsPathOfHostPath(const std::string& hostPath)
{
    std::string root = RootFolder();
    if (hostPath.compare(0, root.size(), root) != 0 || hostPath.size() < root.size() + 2 ||
        hostPath[root.size()] != '/') {
        return {};
    }
    auto names = SplitNames(WideFromUtf8(hostPath.substr(root.size() + 1)));
    if (names.empty()) {
        return {};
    }
    std::u16string out;
    size_t first = 1;
    if (names[0] == u"UNC" && names.size() >= 3) {
        out = u"\\\\" + names[1] + u"\\" + names[2];
        first = 3;
    } else {
        out = names[0] + u":";
    }
    for (size_t i = first; i < names.size(); ++i) {
        out += u"\\" + names[i];
    }
    if (first == 1 && names.size() == 1) {
        out += u"\\";
    }
    return out;
}

std::u16string ParentOf(std::u16string_view fullPath)
{
    size_t cut = fullPath.find_last_of(u"\\/");
    if (cut == std::u16string_view::npos) {
        return {};
    }
    if (cut == 2 && fullPath.size() > 1 && fullPath[1] == u':') {
        return std::u16string(fullPath.substr(0, 3));
    }
    return std::u16string(fullPath.substr(0, cut));
}

std::u16string LastNameOf(std::u16string_view fullPath)
{
    size_t cut = fullPath.find_last_of(u"\\/");
    return std::u16string(cut == std::u16string_view::npos ? fullPath : fullPath.substr(cut + 1));
}

}  // namespace nirasim::sim
