#include "CoreInstance.h"

#include <winspool.h>

#include <string.h>

#include <algorithm>

namespace nirasim::coredriver {
namespace {

const char16_t kPluginSection[] = u"OEMFiles";
const char16_t kPluginKey[] = u"OEMConfigFile1";
constexpr DWORD kPathChars = 260;
// dmDriverExtra is a WORD: a plug-in section must leave room for the core driver's block.
constexpr DWORD kLargestSection = 0xFFFF - kCoreBlockSize;
// Public fields of the default DEVMODE.
constexpr short kPortrait = 1;
constexpr short kLetter = 1;
constexpr short kAutoSource = 7;
constexpr short kSimplex = 1;
constexpr DWORD kPlainMedia = 1;
// The Resolution feature's default option, in both directions.
constexpr short kDefaultResolution = 600;
constexpr DWORD kDefaultFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE |
                                 DM_PRINTQUALITY | DM_YRESOLUTION | DM_DUPLEX | DM_MEDIATYPE;

typedef HRESULT(STDAPICALLTYPE* GetClassObjectProc)(REFCLSID, REFIID, LPVOID*);

bool EndsWithIni(const std::u16string& file)
{
    if (file.size() < 4) {
        return false;
    }
    std::u16string tail = file.substr(file.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char16_t c) { return c >= u'a' && c <= u'z' ? c - 32 : c; });
    return tail == u".INI";
}

// The plug-in that the driver INI among the dependent files names, as a full path.
std::u16string PluginPathOf(LPCWSTR dependentFiles)
{
    for (LPCWSTR file = dependentFiles; file != nullptr && *file != 0;
         file += std::char_traits<char16_t>::length(file) + 1) {
        std::u16string ini(file);
        if (!EndsWithIni(ini)) {
            continue;
        }
        WCHAR plugin[kPathChars] = {};
        GetPrivateProfileStringW(kPluginSection, kPluginKey, u"", plugin, kPathChars, ini.c_str());
        if (plugin[0] == 0) {
            return {};
        }
        return ini.substr(0, ini.find_last_of(u"\\/") + 1) + plugin;
    }
    return {};
}

}  // namespace

std::u16string PrinterNameOf(HANDLE printer)
{
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
        return {};
    }
    LPCWSTR name = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data())->pPrinterName;
    return name != nullptr ? std::u16string(name) : std::u16string();
}

CoreInstance::CoreInstance(LPCWSTR printerName)
{
    ownsPrinter_ =
        printerName != nullptr && OpenPrinterW(const_cast<LPWSTR>(printerName), &printer_, nullptr);
    if (ownsPrinter_) {
        Start(PluginPathOfPrinter());
    }
}

CoreInstance::CoreInstance(HANDLE printer) : printer_(printer)
{
    if (printer_ != nullptr) {
        Start(PluginPathOfPrinter());
    }
}

std::unique_ptr<CoreInstance> CoreInstance::ForDependentFiles(LPCWSTR dependentFiles)
{
    std::unique_ptr<CoreInstance> instance(new CoreInstance());
    instance->Start(PluginPathOf(dependentFiles));
    return instance;
}

CoreInstance::~CoreInstance()
{
    if (provider_ != nullptr) {
        provider_->Release();
    }
    if (plugin_ != nullptr) {
        plugin_->Release();
    }
    blocks_.clear();
    if (pluginModule_ != nullptr) {
        FreeLibrary(pluginModule_);
    }
    if (ownsPrinter_) {
        ClosePrinter(printer_);
    }
}

std::u16string CoreInstance::PluginPathOfPrinter()
{
    DWORD needed = 0;
    GetPrinterDriverW(printer_, nullptr, 3, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !GetPrinterDriverW(printer_, nullptr, 3, buffer.data(), needed, &needed)) {
        pluginNamed_ = true;  // unknown: the driver's files could not be read
        return {};
    }
    return PluginPathOf(reinterpret_cast<DRIVER_INFO_3W*>(buffer.data())->pDependentFiles);
}

// As the core driver starts a plug-in: its object of the UI class id, the helper interfaces it
// asks for published, then its signature and version.
void CoreInstance::Start(const std::u16string& pluginPath)
{
    pluginNamed_ = pluginNamed_ || !pluginPath.empty();
    if (pluginPath.empty() || (pluginModule_ = LoadLibraryW(pluginPath.c_str())) == nullptr) {
        return;
    }
    auto getClassObject = reinterpret_cast<GetClassObjectProc>(
        reinterpret_cast<void*>(GetProcAddress(pluginModule_, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    if (getClassObject == nullptr ||
        FAILED(getClassObject(CLSID_OEMUI, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
        return;
    }
    factory->CreateInstance(nullptr, IID_IPrintOemUI2, reinterpret_cast<void**>(&plugin_));
    factory->Release();
    if (plugin_ == nullptr) {
        return;
    }
    for (DWORD mode : {OEMGI_GETREQUESTEDHELPERINTERFACES, OEMGI_GETSIGNATURE, OEMGI_GETVERSION}) {
        PluginInfoAnswer& answer = info_[mode];
        answer.result = plugin_->GetInfo(mode, &answer.value, sizeof(answer.value), &answer.needed);
        if (mode == OEMGI_GETREQUESTEDHELPERINTERFACES && SUCCEEDED(answer.result) &&
            (answer.value & OEMPUBLISH_IPRINTCOREHELPER)) {
            publishResult_ = plugin_->PublishDriverInterface(&helper_);
        }
    }
}

PluginInfoAnswer CoreInstance::Info(DWORD mode) const
{
    return mode <= OEMGI_GETREQUESTEDHELPERINTERFACES ? info_[mode] : PluginInfoAnswer();
}

OEMDMPARAM CoreInstance::DevModeParam(DWORD bufferSize) const
{
    OEMDMPARAM param;
    memset(&param, 0, sizeof(param));
    param.cbSize = sizeof(OEMDMPARAM);
    param.pdriverobj = const_cast<CoreInstance*>(this);
    param.hPrinter = printer_;
    param.hModule = pluginModule_;
    param.cbBufSize = bufferSize;
    return param;
}

PVOID CoreInstance::PluginSection(DEVMODEW* devMode) const
{
    if (devMode == nullptr || sectionSize_ == 0 || devMode->dmDriverExtra < kCoreBlockSize + sectionSize_) {
        return nullptr;
    }
    return reinterpret_cast<BYTE*>(devMode) + devMode->dmSize + kCoreBlockSize;
}

DevModeAnswer CoreInstance::DefaultDevMode()
{
    DevModeAnswer answer;
    if (plugin_ != nullptr) {
        OEMDMPARAM param = DevModeParam(0);
        answer.sizeResult = plugin_->DevMode(OEMDM_SIZE, &param);
        if (SUCCEEDED(answer.sizeResult) && param.cbBufSize <= kLargestSection) {
            answer.sectionSize = param.cbBufSize;
        }
    }
    sectionSize_ = answer.sectionSize;
    answer.devMode.assign(sizeof(DEVMODEW) + kCoreBlockSize + sectionSize_, 0);
    auto* devMode = reinterpret_cast<DEVMODEW*>(answer.devMode.data());
    const std::u16string name = PrinterNameOf(printer_).substr(0, CCHDEVICENAME - 1);
    memcpy(devMode->dmDeviceName, name.c_str(), name.size() * sizeof(WCHAR));
    devMode->dmSpecVersion = DM_SPECVERSION;
    devMode->dmSize = sizeof(DEVMODEW);
    devMode->dmDriverExtra = static_cast<WORD>(kCoreBlockSize + sectionSize_);
    devMode->dmFields = kDefaultFields;
    devMode->dmOrientation = kPortrait;
    devMode->dmPaperSize = kLetter;
    devMode->dmCopies = 1;
    devMode->dmDefaultSource = kAutoSource;
    devMode->dmDuplex = kSimplex;
    devMode->dmMediaType = kPlainMedia;
    devMode->dmPrintQuality = kDefaultResolution;
    devMode->dmYResolution = kDefaultResolution;
    auto* block = reinterpret_cast<CoreBlock*>(answer.devMode.data() + sizeof(DEVMODEW));
    block->marker = kCoreBlockMarker;
    const std::vector<CoreFeature> features = state_.Features();
    for (size_t i = 0; i < features.size() && i < kCoreBlockFeatures; ++i) {
        block->selections[i] = static_cast<BYTE>(features[i].selection);
    }
    if (sectionSize_ != 0) {
        OEMDMPARAM param = DevModeParam(sectionSize_);
        param.pPublicDMIn = devMode;
        param.pPublicDMOut = devMode;
        param.pOEMDMOut = PluginSection(devMode);
        answer.defaultResult = plugin_->DevMode(OEMDM_DEFAULT, &param);
    }
    return answer;
}

HRESULT CoreInstance::ConvertDevMode(DWORD mode, const std::vector<BYTE>& in, std::vector<BYTE>& out)
{
    if (plugin_ == nullptr) {
        return E_FAIL;
    }
    const DevModeAnswer defaults = DefaultDevMode();
    out = defaults.devMode;
    // A default DEVMODE that could not be made whole fails the conversion, as in the core driver.
    if (FAILED(defaults.defaultResult) ||
        reinterpret_cast<const DEVMODEW*>(out.data())->dmDeviceName[0] == 0) {
        return E_FAIL;
    }
    std::vector<BYTE> input(in);
    auto* publicIn = input.size() >= sizeof(DEVMODEW) ? reinterpret_cast<DEVMODEW*>(input.data()) : nullptr;
    auto* publicOut = reinterpret_cast<DEVMODEW*>(out.data());
    OEMDMPARAM param = DevModeParam(sectionSize_);
    param.pPublicDMIn = publicIn;
    param.pPublicDMOut = publicOut;
    const bool inWhole = publicIn != nullptr &&
                         static_cast<size_t>(publicIn->dmSize) + publicIn->dmDriverExtra <= input.size();
    param.pOEMDMIn = inWhole ? PluginSection(publicIn) : nullptr;
    param.pOEMDMOut = PluginSection(publicOut);
    return plugin_->DevMode(mode, &param);
}

HRESULT CoreInstance::CommonUIProp(DWORD mode, DWORD pluginItems)
{
    blocks_.push_back(std::make_unique<CoreItemBlock>(state_, printer_, nullptr, pluginItems));
    return plugin_ != nullptr ? plugin_->CommonUIProp(mode, blocks_.back()->Param()) : E_FAIL;
}

POEMCUIPPARAM CoreInstance::CommonUIParam()
{
    return blocks_.empty() ? nullptr : blocks_.back()->Param();
}

std::vector<CoreItemState> CoreInstance::Items() const
{
    return blocks_.empty() ? std::vector<CoreItemState>() : blocks_.back()->Items();
}

POEMUIOBJ CoreInstance::UIObject()
{
    if (blocks_.empty()) {
        blocks_.push_back(std::make_unique<CoreItemBlock>(state_, printer_, nullptr, 0));
    }
    return blocks_.back()->UIObject();
}

}  // namespace nirasim::coredriver
