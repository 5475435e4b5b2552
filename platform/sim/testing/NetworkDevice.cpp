// The simulated network's devices, kept in the machine's registry where the simulated SNMP
// transport of the device servers reads them.
#include <nirasim/NetworkDevice.h>

#include <windows.h>

namespace nirasim {
namespace network {

namespace {

const std::u16string kDevicesKey = u"SOFTWARE\\NiraSim\\NetworkDevices\\";
constexpr char16_t kSupportedValue[] = u"Supported";
constexpr char16_t kAnswerPrefix[] = u"OID:";
constexpr char16_t kRequestsValue[] = u"Requests";
constexpr char16_t kRequestedIdsValue[] = u"RequestedIds";

HKEY OpenDevice(const Text& port)
{
    HKEY key = nullptr;
    std::u16string path = kDevicesKey + port.wide();
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

std::string ReadBytes(const Text& port, const char16_t* name)
{
    HKEY key = OpenDevice(port);
    if (!key) {
        return {};
    }
    DWORD size = 0;
    std::string bytes;
    if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        bytes.resize(size);
        RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&bytes[0]), &size);
        bytes.resize(size);
    }
    RegCloseKey(key);
    return bytes;
}

}  // namespace

void AddDevice(const Text& port, bool supported)
{
    if (HKEY key = OpenDevice(port)) {
        DWORD value = supported ? 1 : 0;
        RegSetValueExW(key, kSupportedValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof(value));
        RegCloseKey(key);
    }
}

void SetAnswer(const Text& port, const Text& objectId, BYTE type, const std::string& bytes)
{
    if (HKEY key = OpenDevice(port)) {
        std::string value(1, static_cast<char>(type));
        value += bytes;
        std::u16string name = kAnswerPrefix + objectId.wide();
        RegSetValueExW(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(value.data()),
                       static_cast<DWORD>(value.size()));
        RegCloseKey(key);
    }
}

std::vector<DWORD> RequestSizes(const Text& port)
{
    std::string bytes = ReadBytes(port, kRequestsValue);
    std::vector<DWORD> sizes(bytes.size() / sizeof(DWORD));
    if (!sizes.empty()) {
        memcpy(sizes.data(), bytes.data(), sizes.size() * sizeof(DWORD));
    }
    return sizes;
}

std::vector<std::u16string> RequestedIds(const Text& port)
{
    std::string bytes = ReadBytes(port, kRequestedIdsValue);
    std::u16string all(bytes.size() / sizeof(char16_t), u'\0');
    if (!all.empty()) {
        memcpy(&all[0], bytes.data(), all.size() * sizeof(char16_t));
    }
    std::vector<std::u16string> ids;
    size_t start = 0;
    for (size_t end = all.find(u'\0'); end != std::u16string::npos && end > start;
         end = all.find(u'\0', start)) {
        ids.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return ids;
}

}  // namespace network
}  // namespace nirasim
