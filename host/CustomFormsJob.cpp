// Job "custom-forms": the user's custom paper sizes. Two forms are saved through the custom size
// editor's boxes and buttons (the texts written and the editor told of each change, as the
// property sheet's widgets report them through the UI sink), the second in millimetres and
// borderless; a fresh driver state, as an application's DeviceCapabilities call makes one, lists
// them after the database papers in DC_PAPERS, DC_PAPERNAMES and DC_PAPERSIZE and as "ZQ_"
// options of PageMediaSize in the PrintCapabilities; one is deleted after the question (answered
// OK); and the paper dimensions texts show Letter and A4 in inches and millimetres.
#include "host/HostJob.h"

#include <windows.h>
#include <winspool.h>

#include <msxml2.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "printticket/XDComPtr.h"
#include "support/WString.h"

namespace {

constexpr int kNameBox = 6012;
constexpr int kSaveButton = 6013;
constexpr int kBordersChoice = 6014;
constexpr int kWidthRange = 6015;
constexpr int kWidthBox = 6017;
constexpr int kHeightBox = 6018;
constexpr int kUnitChoice = 6019;
constexpr int kDeleteButton = 6020;
constexpr int kSelectButton = 6022;
constexpr int kDimensionsText = 4211;
constexpr int kCommandRebuildDimensions = 24;
constexpr int kBoxOption = 1;
constexpr int kMillimetres = 2;
constexpr int kBorderless = 2;
constexpr int kReasonByUser = 2;
constexpr int kLetter = 256;
constexpr int kA4 = 259;
constexpr size_t kNameChars = 64;
const char* const kDisplayStates[] = {"hidden", "hidden", "greyed", "enabled"};

struct Form {
    const WCHAR* name;
    const WCHAR* width;
    const WCHAR* height;
    int unit;
    int borders;
};

const Form kForms[] = {
    {TEXT("Index card"), TEXT("5.00"), TEXT("8.00"), 1, 1},
    {TEXT("Photo 21x30"), TEXT("210"), TEXT("300"), kMillimetres, kBorderless},
};

WString Number(long value)
{
    return nirasim::Wide(std::to_string(value));
}

WString BoxText(CNiraCoreServices& services, int widget)
{
    OptionInfo box = {};
    services.GetOptionInfo(widget, kBoxOption, &box);
    return box.displayName;
}

// What an edit box of the sheet leaves behind: its text as option 1 of its feature.
void Type(CNiraCoreServices& services, INiraFeatureHandler& editor, int widget, const WCHAR* text)
{
    OptionInfo* box = NewOptionInfo();
    if (box == nullptr) {
        return;
    }
    services.GetOptionInfo(widget, kBoxOption, box);
    int feature = widget;
    int option = kBoxOption;
    services.RemoveOption(CLASS_CUSTOM_SIZE, &feature, &option);
    lstrcpynW(box->displayName, text, MAX_PATH);
    AddOwnedOption(services, CLASS_CUSTOM_SIZE, widget, kBoxOption, box);
    editor.OnWidgetChanged(widget);
}

// A choice or a button of the sheet: the option set by the user, then the editor told.
void Choose(CNiraCoreServices& services, INiraFeatureHandler& editor, int widget, int option)
{
    int feature = widget;
    services.SetValue(CLASS_CUSTOM_SIZE, &feature, &option, kReasonByUser, 1, 0, 0);
    editor.OnWidgetChanged(widget);
}

void ShowButtons(CNiraCoreServices& services, const std::string& when)
{
    auto state = [&](int widget) {
        return std::string(kDisplayStates[services.GetDisplayState(widget) & 3]);
    };
    HostMachine::Print("  " + when + ": Save " + state(kSaveButton) + ", Delete " + state(kDeleteButton) +
                       ", Select " + state(kSelectButton));
}

void SaveForms(CNiraCoreServices& services, INiraFeatureHandler& editor)
{
    for (const Form& form : kForms) {
        if (form.unit == kMillimetres) {
            Choose(services, editor, kUnitChoice, kMillimetres);
            HostMachine::Print(WString(TEXT("  unit millimetres: width ")) + BoxText(services, kWidthBox) +
                               TEXT(" ") + BoxText(services, kWidthRange));
        }
        Type(services, editor, kNameBox, form.name);
        Type(services, editor, kWidthBox, form.width);
        Type(services, editor, kHeightBox, form.height);
        int feature = kBordersChoice;
        int borders = form.borders;
        services.SetValue(CLASS_CUSTOM_SIZE, &feature, &borders, kReasonByUser, 1, 0, 0);
        HostMachine::Print(WString(TEXT("typed \"")) + form.name + TEXT("\" ") + form.width + TEXT(" x ") +
                           form.height + (form.unit == kMillimetres ? TEXT(" mm") : TEXT(" in")) +
                           (form.borders == kBorderless ? TEXT(", borderless") : TEXT("")));
        ShowButtons(services, "before saving");
        Choose(services, editor, kSaveButton, kBoxOption);
        Type(services, editor, kNameBox, form.name);
        ShowButtons(services, "saved");
    }
}

void ShowDeviceTables(HANDLE printer, const WString& printerName)
{
    CNiraUICore core;
    PWSTR device = const_cast<PWSTR>(printerName.c_str());
    DWORD count = 0;
    core.DeviceCapabilities(nullptr, printer, device, DC_PAPERS, nullptr, nullptr, nullptr, 0, &count);
    std::vector<WORD> papers(count);
    std::vector<WCHAR> names(count * kNameChars);
    std::vector<POINT> sizes(count);
    core.DeviceCapabilities(nullptr, printer, device, DC_PAPERS, papers.data(), nullptr, nullptr, 0, &count);
    core.DeviceCapabilities(nullptr, printer, device, DC_PAPERNAMES, names.data(), nullptr, nullptr, 0,
                            &count);
    core.DeviceCapabilities(nullptr, printer, device, DC_PAPERSIZE, sizes.data(), nullptr, nullptr, 0,
                            &count);
    HostMachine::Print("DeviceCapabilities of a fresh driver state: " + std::to_string(count) + " papers");
    for (DWORD i = count >= 3 ? count - 3 : 0; i < count; ++i) {
        HostMachine::Print(WString(TEXT("  #")) + Number(static_cast<long>(i)) + TEXT(" DC_PAPERS ") +
                           Number(papers[i]) + TEXT(", DC_PAPERNAMES \"") + &names[i * kNameChars] +
                           TEXT("\", DC_PAPERSIZE ") + Number(sizes[i].x) + TEXT(" x ") + Number(sizes[i].y) +
                           TEXT(" (0.1 mm)"));
    }
}

void ShowFormOptions(HANDLE printer)
{
    CXDComPtr<IXMLDOMDocument2> dom;
    if (FAILED(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                                reinterpret_cast<void**>(&dom)))) {
        return;
    }
    BSTR text = SysAllocString(TEXT(
        "<psf:PrintCapabilities version='1' "
        "xmlns:psf='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework' "
        "xmlns:psk='http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords' "
        "xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xmlns:xsd='http://www.w3.org/2001/XMLSchema'>"
        "<psf:Feature name='psk:PageMediaSize'/></psf:PrintCapabilities>"));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    dom->loadXML(text, &loaded);
    SysFreeString(text);
    CNiraUICore core;
    if (loaded != VARIANT_TRUE || core.ConstructDriverState(printer, nullptr) != 0) {
        return;
    }
    core.CompletePrintCapabilities(nullptr, dom.Get());
    BSTR xml = nullptr;
    dom->get_xml(&xml);
    WString all = xml != nullptr ? WString(xml) : WString();
    SysFreeString(xml);
    // Each form's option element of PageMediaSize, as the capabilities carry it.
    for (size_t at = all.find(TEXT("ZQ_")); at != WString::npos; at = all.find(TEXT("ZQ_"), at + 1)) {
        size_t start = all.rfind(TEXT("<psf:Option"), at);
        size_t end = all.find(TEXT("</psf:Option>"), at);
        if (start == WString::npos || end == WString::npos || start + 200 < at ||
            all.find(TEXT("MediaSizeWidth"), at) > end) {
            continue;
        }
        HostMachine::Print(WString(TEXT("PrintCapabilities: ")) + all.substr(start, end + 13 - start));
        at = end;
    }
}

void ShowCapabilities(HANDLE printer)
{
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ShowFormOptions(printer);
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
}

void ShowDimensions(CNiraCoreServices& services)
{
    for (int paper : {kLetter, kA4}) {
        int feature = FEATURE_PAPER_SIZE;
        int option = paper;
        services.SetValue(CLASS_PAPER_LIST, &feature, &option, kReasonByUser, 1, 0, 0);
        services.SendHandlerCommand(FEATURE_PAPER_SIZE, kDimensionsText, kCommandRebuildDimensions, nullptr,
                                    nullptr);
        WCHAR name[MAX_PATH] = {};
        services.GetOptionName(FEATURE_PAPER_SIZE, paper, name);
        OptionInfo inches = {};
        OptionInfo millimetres = {};
        services.GetOptionInfo(kDimensionsText, 1, &inches);
        services.GetOptionInfo(kDimensionsText, 2, &millimetres);
        HostMachine::Print(WString(TEXT("dimensions of ")) + name + TEXT(": \"") + inches.displayName +
                           TEXT("\", \"") + millimetres.displayName + TEXT("\""));
    }
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &printer, nullptr)) {
        return 1;
    }
    int result = 1;
    {
        CNiraUICore sheets;
        CNiraCoreServices services(&sheets);
        INiraFeatureHandler* editor = nullptr;
        if (sheets.ConstructDriverState(printer, nullptr, CNiraUICore::kSheetFeatureLimit) == 0 &&
            sheets.GetHandler(CLASS_CUSTOM_SIZE, &editor) == 0 && editor != nullptr) {
            SaveForms(services, *editor);
            ShowDeviceTables(printer, host.printerName());
            ShowCapabilities(printer);

            host.machine().ClearJournals();
            host.machine().SetMessageBoxAnswer(IDOK);
            Type(services, *editor, kNameBox, kForms[0].name);
            Choose(services, *editor, kDeleteButton, kBoxOption);
            for (const nirasim::MessageBoxCall& box : host.machine().MessageBoxes()) {
                HostMachine::Print(WString(TEXT("deleting \"")) + kForms[0].name + TEXT("\": asked \"") +
                                   WString(box.text.begin(), box.text.end()) + TEXT("\" (\"") +
                                   WString(box.caption.begin(), box.caption.end()) +
                                   TEXT("\"), answered OK"));
            }
            ShowDeviceTables(printer, host.printerName());
            ShowDimensions(services);
            result = 0;
        }
    }
    ClosePrinter(printer);
    return result;
}

const HostJobRegistration job{
    {"custom-forms", "custom paper sizes saved, listed as papers and deleted; the paper dimensions texts", 58,
     Run}};

}  // namespace
