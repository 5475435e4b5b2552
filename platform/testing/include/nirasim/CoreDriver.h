// Test control of the simulated core printer driver (its UI module, unidrvui.dll): opens an
// instance on a printer as the platform does (the UI plug-in of the driver INI's [OEMFiles]
// loaded, its object made, the core helper published, GetInfo asked), calls the plug-in the way
// the core driver does, sets the core driver's own features and reads its journals.
// For tests and the host program only; production code never includes it.
#pragma once

#include <windows.h>

#include <compstui.h>
#include <msxml2.h>
#include <prcomoem.h>

#include <nirasim/Machine.h>
#include <nirasim/PropertySheets.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace nirasim {

// An option of a core-driver feature. An empty name shows the option by resource id.
struct CoreOption {
    std::string keyword;
    std::u16string name;
    WORD resourceId = 0;
    bool warning = false;  // the option carries the warning icon
};

// A feature of the core driver and its option item in the common property sheet.
struct CoreFeature {
    std::string keyword;  // empty: the item's user data names no feature (the copies item)
    BYTE publicId = DMPUB_NONE;
    std::vector<CoreOption> options;
    LONG selection = 0;
    bool userData = true;  // the item carries the core driver's user data
};

// What GetInfo answered when the instance started.
struct PluginInfoAnswer {
    HRESULT result = E_FAIL;
    DWORD value = 0;
    DWORD needed = 0;
};

// The default DEVMODE of the instance: the plug-in asked for its section's size and to fill it.
struct DevModeAnswer {
    HRESULT sizeResult = E_FAIL;
    DWORD sectionSize = 0;  // what the plug-in asked for (0 when it did not answer)
    HRESULT defaultResult = E_FAIL;
    std::vector<BYTE> devMode;  // public part, the core driver's own block, the plug-in's section
};

struct SetOptionsCall {
    std::vector<std::pair<std::string, std::string>> pairs;
    BOOL resolveConflicts;
    bool onDevMode;  // a DEVMODE was given (else the instance's current settings)
    HRESULT result;
};

struct UpdateUISettingCall {
    std::string keyword;
    BYTE publicId;
    DWORD previous;
    LONG selection;
    DWORD mode;
    bool warningDuringCall;  // the selected option carried the warning icon during the call
};

struct CoreItemState {
    std::string keyword;
    BYTE publicId;
    DWORD flags;
    LONG selection;
    std::vector<BYTE> optionFlags;
};

// One property-sheet reason as the plug-in answered it.
struct SheetReasonCall {
    WORD reason;
    HRESULT answer;    // what the plug-in's DocumentPropertySheets or DevicePropertySheets returned
    ULONG_PTR result;  // PROPSHEETUI_INFO.Result after the call
};

// A call of the common property-sheet host's function (pfnComPropSheet) the plug-in made.
struct ComPropSheetCall {
    WORD reason;  // during this reason
    UINT function;
    LPARAM lParam1;
    LPARAM lParam2;
};

struct PropertySheetRun {
    std::vector<SheetReasonCall> reasons;
    std::vector<ComPropSheetCall> hostCalls;
    std::vector<BYTE> devMode;  // the public DEVMODE (with the driver's sections) after the run
};

// The user on the open sheet: called with the sheet host once the sheet is built, before its
// result is set and its pages go.
using SheetUser = std::function<void(PropertySheet& sheet)>;

// The common property-sheet host's order of reasons for a sheet the user opens and closes with OK.
inline const std::vector<WORD> kSheetReasons = {PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_GET_INFO_HEADER,
                                                PROPSHEETUI_REASON_SET_RESULT, PROPSHEETUI_REASON_DESTROY};
// One document event as GDI sent it to the plug-in.
struct DocumentEventCall {
    INT escape;
    HRESULT answer;
    INT result;      // *result after the call (DOCUMENTEVENT_UNSUPPORTED when the plug-in left it)
    bool handedOut;  // the plug-in handed a DEVMODE back
};

// The plug-in's answer to the query filter, with the room GDI gave it.
struct QueryFilterAnswer {
    UINT allocated;
    UINT needed;
    UINT returned;
    std::vector<DWORD> events;  // the events written, as many as returned says
    INT result;
    HRESULT answer;
};

struct PrintJobOptions {
    UINT filterRoom = 8;     // events the first query filter has room for
    ULONG createDCSize = 0;  // the create-DC record's size as given; 0: the platform's
    DWORD pages = 1;
    bool resetDC = true;  // the application resets the DC once before its pages
};

// What a print job's document events did: GDI asks for the filter (again with the room the
// plug-in needs), then creates the DC, starts the document, prints its pages (resetting the DC
// before them), ends the document and deletes the DC, sending only the events of the filter. A
// DEVMODE handed out at a pre event is kept here as it was handed out and comes back to the
// plug-in at the post event, which frees it.
struct PrintJobTrace {
    std::vector<QueryFilterAnswer> filters;
    std::vector<DocumentEventCall> calls;
    std::vector<BYTE> createDCDevMode;  // handed out at create-DC (before); empty when none
    std::vector<BYTE> resetDCDevMode;   // handed out at reset-DC (before); empty when none
};

// The plug-in's PrintTicket provider as the core driver binds it.
struct PrintTicketBinding {
    HRESULT versionsResult = E_FAIL;
    std::vector<INT> versions;
    HRESULT publishResult = E_FAIL;
    HRESULT bindResult = E_FAIL;
    DWORD flags = 0;  // the provider's OEMPTOPTS flags
    std::vector<std::u16string> namespaces;
};

class CoreDriverInstance {
public:
    virtual ~CoreDriverInstance() = default;

    virtual HANDLE Printer() const = 0;
    // The plug-in module, from the driver INI's [OEMFiles] OEMConfigFile1; null when none loaded.
    virtual HMODULE PluginModule() const = 0;
    // The plug-in object of the UI class id, with the core helper published; null without one.
    virtual IPrintOemUI2* Plugin() const = 0;
    virtual IPrintCoreHelper* CoreHelper() = 0;
    virtual HRESULT PublishResult() const = 0;
    // GetInfo at start: modes 1 (signature), 3 (version) and 5 (helper interfaces).
    virtual PluginInfoAnswer Info(DWORD mode) const = 0;

    virtual DevModeAnswer DefaultDevMode() = 0;
    // DevMode 3 (convert) or 4 (merge) of a caller's DEVMODE into out (sized like the default).
    virtual HRESULT ConvertDevMode(DWORD mode, const std::vector<BYTE>& in, std::vector<BYTE>& out) = 0;

    // The core driver's features (and so its option items); the default table until set.
    virtual void SetFeatures(const std::vector<CoreFeature>& features) = 0;
    virtual std::vector<CoreFeature> Features() const = 0;
    // Builds the core driver's items (and pluginItems items of the plug-in) and calls the plug-in's
    // CommonUIProp. Each call's block lives as long as the instance.
    virtual HRESULT CommonUIProp(DWORD mode, DWORD pluginItems) = 0;
    // The block of the last CommonUIProp; null before one.
    virtual POEMCUIPPARAM CommonUIParam() = 0;
    virtual std::vector<CoreItemState> Items() const = 0;
    // The core driver's current option of a feature (its setting, not the item's selection).
    virtual std::string CurrentOption(const std::string& feature) const = 0;

    // Opens the printing preferences (document) or the printer properties as the common
    // property-sheet host does: the core driver's items first (CommonUIProp), then the plug-in's
    // DocumentPropertySheets or DevicePropertySheets for each reason, lParamInit an OEMUIPSPARAM
    // whose public DEVMODE is publicDevMode (the default DEVMODE when empty). The plug-in's pages
    // are made from their templates on a PropertySheet host (nirasim/PropertySheets.h); before
    // the first of the reasons SET_RESULT and DESTROY the user acts on the sheet, then OK is
    // pressed for SET_RESULT and the pages go before DESTROY.
    virtual PropertySheetRun RunPropertySheets(bool document, const std::vector<BYTE>& publicDevMode,
                                               const std::vector<WORD>& reasons = kSheetReasons,
                                               const SheetUser& user = {}) = 0;
    // The document events of a print job with this DEVMODE (empty: none) on the instance's plug-in.
    virtual PrintJobTrace RunPrintJob(const std::vector<BYTE>& devMode, const PrintJobOptions& options) = 0;

    // The plug-in's PrintTicket provider: an object of the provider class id, asked for its
    // versions, given the core helper and bound to the printer with `version`.
    virtual PrintTicketBinding BindPrintTicketProvider(INT version = 1) = 0;
    // Null before a binding.
    virtual IPrintOemPrintTicketProvider* PrintTicketProvider() const = 0;
    // An empty PrintTicket or PrintCapabilities document ("PrintTicket", "PrintCapabilities") as
    // the core driver starts one, binding the namespaces the provider named; the caller releases it.
    virtual IXMLDOMDocument2* NewSchemaDocument(const char16_t* root) = 0;
    // A DEVMODE of the core driver's layout into the ticket, through the bound provider.
    virtual HRESULT DevModeToPrintTicket(const std::vector<BYTE>& devMode, IXMLDOMDocument2* ticket) = 0;
    // The ticket into the DEVMODE (the default when empty), through the bound provider.
    virtual HRESULT PrintTicketToDevMode(IXMLDOMDocument2* ticket, std::vector<BYTE>& devMode) = 0;
    virtual HRESULT CompletePrintCapabilities(IXMLDOMDocument2* ticket, IXMLDOMDocument2* capabilities) = 0;

    virtual std::vector<SetOptionsCall> SetOptionsCalls() const = 0;
    virtual std::vector<UpdateUISettingCall> UpdateUISettingCalls() const = 0;
    virtual void ClearJournals() = 0;
};

// The core driver's UI module of a printer's driver, loaded, with one instance open on it.
class CoreDriver {
public:
    explicit CoreDriver(const Text& printerName);
    ~CoreDriver();
    CoreDriver(const CoreDriver&) = delete;
    CoreDriver& operator=(const CoreDriver&) = delete;

    bool IsOpen() const { return instance_ != nullptr; }
    CoreDriverInstance* operator->() const { return instance_; }
    CoreDriverInstance& operator*() const { return *instance_; }
    HMODULE Module() const { return module_; }

private:
    HMODULE module_ = nullptr;
    CoreDriverInstance* instance_ = nullptr;
};

// The name of the core driver module's export that opens an instance (for the test control).
constexpr char kOpenCoreDriverExport[] = "NiraSimOpenCoreDriver";
typedef CoreDriverInstance*(WINAPI* OpenCoreDriverProc)(LPCWSTR printerName);

}  // namespace nirasim
