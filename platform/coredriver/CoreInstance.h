// One instance of the simulated core driver on a printer: the UI plug-in loaded and started, the
// public DEVMODE the core driver owns, its features and its option items.
#pragma once

#include <nirasim/CoreDriver.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "CoreFeatures.h"
#include "CoreHelper.h"
#include "CoreItems.h"

namespace nirasim::coredriver {

// The printer's name (PRINTER_INFO_2); empty when it cannot be read.
std::u16string PrinterNameOf(HANDLE printer);

class CoreInstance : public CoreDriverInstance {
public:
    // Opens the printer by name (closed with the instance).
    explicit CoreInstance(LPCWSTR printerName);
    // Works on a printer handle the caller keeps.
    explicit CoreInstance(HANDLE printer);
    // Without a printer: the plug-in named by a driver's dependent files (a double-null list).
    static std::unique_ptr<CoreInstance> ForDependentFiles(LPCWSTR dependentFiles);
    ~CoreInstance() override;

    HANDLE Printer() const override { return printer_; }
    HMODULE PluginModule() const override { return pluginModule_; }
    IPrintOemUI2* Plugin() const override { return plugin_; }
    // The driver names a plug-in (or its files could not be read) that could not be started.
    bool PluginMissing() const { return pluginNamed_ && plugin_ == nullptr; }
    IPrintCoreHelper* CoreHelper() override { return &helper_; }
    HRESULT PublishResult() const override { return publishResult_; }
    PluginInfoAnswer Info(DWORD mode) const override;

    DevModeAnswer DefaultDevMode() override;
    HRESULT ConvertDevMode(DWORD mode, const std::vector<BYTE>& in, std::vector<BYTE>& out) override;

    void SetFeatures(const std::vector<CoreFeature>& features) override { state_.SetFeatures(features); }
    std::vector<CoreFeature> Features() const override { return state_.Features(); }
    HRESULT CommonUIProp(DWORD mode, DWORD pluginItems) override;
    POEMCUIPPARAM CommonUIParam() override;
    std::vector<CoreItemState> Items() const override;
    std::string CurrentOption(const std::string& feature) const override
    {
        return state_.CurrentOption(feature);
    }

    PropertySheetRun RunPropertySheets(bool document, const std::vector<BYTE>& publicDevMode,
                                       const std::vector<WORD>& reasons, const SheetUser& user) override;
    PrintJobTrace RunPrintJob(const std::vector<BYTE>& devMode, const PrintJobOptions& options) override;

    PrintTicketBinding BindPrintTicketProvider(INT version) override;
    IPrintOemPrintTicketProvider* PrintTicketProvider() const override { return provider_; }
    IXMLDOMDocument2* NewSchemaDocument(const char16_t* root) override;
    HRESULT DevModeToPrintTicket(const std::vector<BYTE>& devMode, IXMLDOMDocument2* ticket) override;
    HRESULT PrintTicketToDevMode(IXMLDOMDocument2* ticket, std::vector<BYTE>& devMode) override;
    HRESULT CompletePrintCapabilities(IXMLDOMDocument2* ticket, IXMLDOMDocument2* capabilities) override;

    std::vector<SetOptionsCall> SetOptionsCalls() const override { return state_.SetOptionsCalls(); }
    std::vector<UpdateUISettingCall> UpdateUISettingCalls() const override
    {
        return state_.UpdateUISettingCalls();
    }
    void ClearJournals() override { state_.ClearJournals(); }

    // The UI object of the last item block (or of a block made for the call).
    POEMUIOBJ UIObject();
    // The lParamInit of the plug-in's property-sheet calls, for a public DEVMODE the caller keeps.
    OEMUIPSPARAM SheetParam(DEVMODEW* publicDevMode);
    // The plug-in's section inside a DEVMODE of the core driver's layout; null when it has none.
    PVOID PluginSection(DEVMODEW* devMode) const;

private:
    CoreInstance() = default;
    void Start(const std::u16string& pluginPath);
    std::u16string PluginPathOfPrinter();
    std::u16string printerName_;
    OEMDMPARAM DevModeParam(DWORD bufferSize) const;
    // One document event to the plug-in, journalled.
    DocumentEventCall SendDocumentEvent(PrintJobTrace& trace, INT escape, ULONG inSize, PVOID in,
                                        ULONG outSize, PVOID out);
    void QueryFilter(PrintJobTrace& trace, UINT room);
    // The section size of the plug-in, asked once.
    DWORD SectionSize();

    HANDLE printer_ = nullptr;
    bool ownsPrinter_ = false;
    HMODULE pluginModule_ = nullptr;
    IPrintOemUI2* plugin_ = nullptr;
    bool pluginNamed_ = false;
    IPrintOemPrintTicketProvider* provider_ = nullptr;
    std::vector<std::u16string> providerNamespaces_;
    CoreFeatureState state_;
    coredriver::CoreHelper helper_{state_};
    HRESULT publishResult_ = E_FAIL;
    PluginInfoAnswer info_[OEMGI_GETREQUESTEDHELPERINTERFACES + 1];
    DWORD sectionSize_ = 0;
    std::list<std::unique_ptr<CoreItemBlock>> blocks_;
};

}  // namespace nirasim::coredriver
