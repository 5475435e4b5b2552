// Job "shortcuts": the printing shortcuts of the sample printer as the shortcuts handler keeps
// them. It lists the predefined and custom shortcuts, applies one and prints the features it set,
// saves the changed settings as a custom shortcut in the printer's data, overwrites it under the
// same name in other letters and deletes it, then saves one as a user who may not write the
// printer's data, into the user's registry; after each step it shows what the stores hold.
#include "host/HostJob.h"
#include "host/SectionReport.h"

#include <windows.h>
#include <winspool.h>

#include <memory>
#include <string>

#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/features/handlers/CustomForms.h"
#include "nira/uiplugin/features/handlers/ShortcutsHandler.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "support/WString.h"

namespace {

const char kPrinterStore[] = "ZQPresetRoot\\CustomShortcutPoolData";
constexpr int kTwoSidedShortcut = 4;
constexpr int kEconomyShortcut = 5;
constexpr int kReasonByUser = 2;
// The real features the sample's shortcuts set, with their names for the report.
const std::pair<int, const char*> kShortcutFeatures[] = {{FEATURE_PRINT_QUALITY, "print quality"},
                                                         {FEATURE_MEDIA_TYPE, "paper type"},
                                                         {FEATURE_DUPLEX, "two-sided"},
                                                         {FEATURE_BOOKLET, "booklet"},
                                                         {FEATURE_PAGES_PER_SHEET, "pages per sheet"},
                                                         {FEATURE_PRINT_IN_GRAY, "print in grayscale"},
                                                         {FEATURE_ORIENTATION, "orientation"}};

WString Wide(const std::string& text)
{
    return WString(text.begin(), text.end());
}

std::string Narrow(const WString& text)
{
    return std::string(text.begin(), text.end());
}

// A driver state of the printer with its shortcuts handler, as the property sheets build it.
class ShortcutSession {
public:
    explicit ShortcutSession(HostMachine& host)
    {
        if (!OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &m_printer, nullptr)) {
            return;
        }
        m_core = std::make_unique<CNiraUICore>();
        if (m_core->ConstructDriverState(m_printer, nullptr, CNiraUICore::kSheetFeatureLimit) != 0) {
            return;
        }
        m_services = std::make_unique<CNiraCoreServices>(m_core.get());
        INiraFeatureHandler* handler = nullptr;
        if (m_core->GetHandler(CLASS_SHORTCUTS, &handler) == 0) {
            m_handler = dynamic_cast<CNiraShortcutsHandler*>(handler);
        }
    }
    ~ShortcutSession()
    {
        m_services.reset();
        m_core.reset();
        if (m_printer != nullptr) {
            ClosePrinter(m_printer);
        }
    }
    bool Ready() const { return m_handler != nullptr; }
    CNiraShortcutsHandler& Handler() { return *m_handler; }
    CNiraCoreServices& Services() { return *m_services; }

    int Current(int featureId)
    {
        int option = 0;
        int isSet = 0;
        m_services->GetValue(featureId, &option, &isSet);
        return option;
    }
    WString OptionName(int featureId, int option)
    {
        OptionInfo info = {};
        return m_services->GetOptionInfo(featureId, option, &info) == 0 ? WString(info.displayName)
                                                                        : WString();
    }
    // The user chooses an option on the page (the handler is told as the UI core tells it).
    void Choose(int featureId, int option)
    {
        m_services->SetValue(CLASS_SHORTCUTS, &featureId, &option, kReasonByUser, 1, 0, 0);
        m_handler->OnWidgetChanged(featureId);
    }
    // A setting changed elsewhere, reported by the constraint engine.
    void Change(int featureId, int option)
    {
        m_services->SetValue(CLASS_SHORTCUTS, &featureId, &option, kReasonByUser, 1, 0, 0);
        m_handler->OnConstraintAction(FEATURE_PRINTING_SHORTCUTS, std::to_string(featureId).c_str(), nullptr,
                                      nullptr);
    }
    void SaveAs(const WString& name)
    {
        OptionInfo info = {};
        std::copy(name.begin(), name.end(), info.displayName);
        info.state = OPTION_STATE_SELECTABLE;
        if (m_services->SetOptionInfo(CLASS_SHORTCUTS, WIDGET_SHORTCUT_NAME, 1, &info) != 0) {
            OptionInfo* added = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
            *added = info;
            if (m_services->AddOption(CLASS_SHORTCUTS, WIDGET_SHORTCUT_NAME, 1, added) != 0) {
                LocalFree(added);
            }
        }
        int feature = WIDGET_SHORTCUT_NAME;
        int option = 1;
        m_services->SetValue(CLASS_SHORTCUTS, &feature, &option, kReasonByUser, 1, 0, 0);
        m_handler->OnWidgetChanged(WIDGET_SHORTCUT_NAME);
        m_handler->OnWidgetChanged(WIDGET_SHORTCUT_SAVE);
    }

private:
    HANDLE m_printer = nullptr;
    std::unique_ptr<CNiraUICore> m_core;
    std::unique_ptr<CNiraCoreServices> m_services;
    CNiraShortcutsHandler* m_handler = nullptr;
};

void ListShortcuts(ShortcutSession& session)
{
    auto& services = session.Services();
    const int count = services.GetOptionCount(FEATURE_PRINTING_SHORTCUTS);
    for (int index = 0; index < count; ++index) {
        int optionIndex = 0;
        int option = 0;
        int bitmap = 0;
        int icon = 0;
        int state = 0;
        WCHAR name[kOptionTextLength] = {};
        if (services.GetOptionByIndex(index, FEATURE_PRINTING_SHORTCUTS, &optionIndex, &option, name, &bitmap,
                                      &icon, &state) != 0) {
            break;
        }
        const bool custom = option >= CUSTOM_SHORTCUT_FIRST_ID;
        const bool chosen = option == session.Current(FEATURE_PRINTING_SHORTCUTS);
        HostMachine::Print(Wide(Format("  %s%4d %-10s bitmap %3d  ", chosen ? "*" : " ", option,
                                       custom ? "custom" : "predefined", bitmap)) +
                           WString(name));
    }
}

void ShowFeatures(ShortcutSession& session)
{
    for (const auto& feature : kShortcutFeatures) {
        const int option = session.Current(feature.first);
        HostMachine::Print(Wide(Format("  %d %-18s %d ", feature.first, feature.second, option)) +
                           session.OptionName(feature.first, option));
    }
    HostMachine::Print(Format("  4157 settings differ from the shortcut: %s",
                              session.Current(FEATURE_SHORTCUT_MODIFIED) == 2 ? "yes" : "no"));
}

void ShowRecord(const WString& name, const std::vector<BYTE>& bytes)
{
    ShortcutRecord record;
    if (!ParseShortcutRecord(bytes.data(), static_cast<DWORD>(bytes.size()), record)) {
        HostMachine::Print(TEXT("    ") + name + TEXT(": damaged"));
        return;
    }
    HostMachine::Print(TEXT("    record \"") + name +
                       Wide(Format("\": %zu bytes, option %d, made from %d ", bytes.size(), record.optionId,
                                   record.baseOptionId)) +
                       TEXT("\"") + WString(record.baseName) + TEXT("\""));
    for (const ShortcutItem& item : record.items) {
        HostMachine::Print(Format("      item feature %d kind %d value %d extra %d shown %d", item.featureId,
                                  item.kind, item.value, item.extraOption, item.displayState));
    }
}

// A store's list and the records it names; `read` gives a value's bytes (false: absent).
template <class Read>
void ShowStore(const char* title, Read read)
{
    HostMachine::Print(title);
    std::vector<BYTE> bytes;
    std::vector<ShortcutListEntry> entries;
    if (!read(WString(kShortcutListValue), bytes)) {
        HostMachine::Print("    no list value");
    } else if (!ParseShortcutList(bytes.data(), static_cast<DWORD>(bytes.size()), entries)) {
        HostMachine::Print("    the list value is damaged");
    } else {
        HostMachine::Print(Format("    list \"CustomShortcutsDataSnapShot\": %zu bytes, %zu entries",
                                  bytes.size(), entries.size()));
    }
    for (const ShortcutListEntry& entry : entries) {
        HostMachine::Print(
            Wide(Format("      option %d made from %d: ", entry.optionId, entry.baseOptionId)) +
            WString(entry.name));
        if (read(WString(entry.name), bytes)) {
            ShowRecord(entry.name, bytes);
        }
    }
    if (read(WString(kCustomizedSettingsName), bytes)) {
        ShowRecord(kCustomizedSettingsName, bytes);
    }
}

void ShowStores(HostMachine& host)
{
    ShowStore("  the printer's data (ZQPresetRoot\\CustomShortcutPoolData):",
              [&host](const WString& name, std::vector<BYTE>& bytes) {
                  std::string stored;
                  if (!host.machine().GetPrinterData(host.printerName(), Narrow(name), stored, nullptr,
                                                     kPrinterStore)) {
                      return false;
                  }
                  bytes.assign(stored.begin(), stored.end());
                  return true;
              });
    WCHAR guid[CNiraUserFormsKey::kGuidChars] = {};
    HANDLE printer = nullptr;
    OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &printer, nullptr);
    const bool haveGuid = CNiraUserFormsKey::ReadGuidText(printer, FALSE, guid) != FALSE;
    ClosePrinter(printer);
    if (!haveGuid) {
        HostMachine::Print("  the user's registry: the printer has no GUID text, nothing is kept there");
        return;
    }
    ShowStore("  the user's registry (HKCU\\Software\\Norvell-Ashby\\<GUID text>\\CustomShortcutPoolData):",
              [&guid](const WString& name, std::vector<BYTE>& bytes) {
                  HKEY key = nullptr;
                  if (CNiraUserFormsKey::OpenSubkey(guid, TEXT("CustomShortcutPoolData"), KEY_READ, FALSE,
                                                    &key) != ERROR_SUCCESS) {
                      return false;
                  }
                  DWORD size = 0;
                  bool found =
                      RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
                  bytes.assign(size, 0);
                  found = found && RegQueryValueExW(key, name.c_str(), nullptr, nullptr, bytes.data(),
                                                    &size) == ERROR_SUCCESS;
                  RegCloseKey(key);
                  return found;
              });
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    {
        ShortcutSession session(host);
        if (!session.Ready()) {
            return 1;
        }
        HostMachine::Print("The shortcuts (* the one in use):");
        ListShortcuts(session);

        HostMachine::Print(Format("Shortcut %d chosen; the features it set:", kTwoSidedShortcut));
        session.Choose(FEATURE_PRINTING_SHORTCUTS, kTwoSidedShortcut);
        ShowFeatures(session);

        HostMachine::Print("The orientation changed to landscape: the working record keeps the change");
        session.Change(FEATURE_ORIENTATION, 2);
        ShowFeatures(session);
        ShowStores(host);

        HostMachine::Print("Saved as \"Two-sided landscape\":");
        session.SaveAs(TEXT("Two-sided landscape"));
        ListShortcuts(session);
        ShowStores(host);

        HostMachine::Print(
            Format("Shortcut %d chosen, landscape set, saved as \"TWO-SIDED LANDSCAPE\" (the "
                   "overwrite question answered OK):",
                   kEconomyShortcut));
        session.Choose(FEATURE_PRINTING_SHORTCUTS, kEconomyShortcut);
        session.Change(FEATURE_ORIENTATION, 2);
        session.SaveAs(TEXT("TWO-SIDED LANDSCAPE"));
        ListShortcuts(session);
        ShowStores(host);

        HostMachine::Print("The custom shortcut deleted (the question answered OK):");
        session.Choose(FEATURE_PRINTING_SHORTCUTS, CUSTOM_SHORTCUT_FIRST_ID);
        session.Handler().OnWidgetChanged(WIDGET_SHORTCUT_DELETE);
        ListShortcuts(session);
        ShowStores(host);
    }

    // The paper list makes the printer's GUID text for the user's forms; a user who may only print
    // then keeps shortcuts under it.
    HANDLE printer = nullptr;
    OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &printer, nullptr);
    WCHAR guid[CNiraUserFormsKey::kGuidChars] = {};
    CNiraUserFormsKey::ReadGuidText(printer, TRUE, guid);
    ClosePrinter(printer);
    host.machine().RefusePrinterAccess(Narrow(host.printerName()), PRINTER_ACCESS_ADMINISTER);
    HostMachine::Print(
        "As a user who may not write the printer's data: shortcut 3 with black ink only, saved as "
        "\"Photos in gray\":");
    ShortcutSession session(host);
    if (!session.Ready()) {
        return 1;
    }
    session.Choose(FEATURE_PRINTING_SHORTCUTS, 3);
    session.Change(FEATURE_PRINT_IN_GRAY, 3);
    session.SaveAs(TEXT("Photos in gray"));
    ListShortcuts(session);
    ShowStores(host);
    host.machine().RefusePrinterAccess(Narrow(host.printerName()), 0);
    return 0;
}

const HostJobRegistration job{
    {"shortcuts",
     "printing shortcuts listed, applied, saved, overwritten and deleted, with the stored values", 62, Run}};

}  // namespace
