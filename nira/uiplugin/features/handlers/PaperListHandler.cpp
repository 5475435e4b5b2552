#include "nira/uiplugin/features/handlers/PaperListHandler.h"

#include <printoem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "common/CodePageConversion.h"
#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/PaperDimensionsHandler.h"
#include "nira/uiplugin/features/handlers/StringIds.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDGuard.h"
#include "printticket/XDMediaSizeFeature.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDVocabulary.h"

// After the C++ library (also as the headers above include it), whose string header would meet
// its deprecations.
#include <strsafe.h>

namespace {

constexpr int kOwner = CLASS_PAPER_LIST;
constexpr int kBorderlessOption = 2;
constexpr int kBordersOption = 1;
constexpr int kSelectionReason = 6;
constexpr int kConflictState = 4;
constexpr int kNewValueChange = 7;
constexpr int kCheckOption = 254;
constexpr int kFreeSizeOption = 26;
constexpr size_t kRecentPapers = 3;
constexpr int kApplyPaperWidget = 6067;
constexpr int kPreviousPaperWidget = 6068;
constexpr int kPaperChoiceFeature = 6418;
constexpr int kChoosePrevious = 900;
constexpr int kChoosePreviousToo = -1;
constexpr int kHeadingSupport = 2;
constexpr int kFormSupport = 1;
constexpr int kHeadingLevel = 1;
constexpr int kFormLevel = 2;
constexpr int kFormsGroup = 100;
constexpr int kSizesSlot = 2;
constexpr int kLimitRowContext = 1;
constexpr int kLimitColumns = 3;
constexpr int kMarginColumns = 8;
constexpr int kMostColumns = 499;
constexpr size_t kQueryChars = 520;
constexpr size_t kClauseChars = 260;
constexpr size_t kTextChars = 260;
constexpr double kMicronsPerInch = 25400.0;
constexpr LONG kMicronsPerTenthMm = 100;
const char kCustomMin[] = "CustomMin";
const char kCustomMax[] = "CustomMax";
const WCHAR kFormPrefix[] = TEXT("ZQ_");
const WCHAR kDefaultPaperName[] = TEXT("NorthAmericaLetter");

struct LimitContext {
    CNiraPaperListHandler* handler;
    int kind;
    int* limits;
};

void* AsValue(int number)
{
    return reinterpret_cast<void*>(static_cast<INT_PTR>(number));
}

int AsNumber(const void* value)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(value));
}

// The text after the first occurrence of the mark, or the whole text without one.
LPCWSTR After(LPCWSTR text, WCHAR mark)
{
    for (LPCWSTR c = text; *c != 0; ++c) {
        if (*c == mark) {
            return c + 1;
        }
    }
    return text;
}

}  // namespace

const int CNiraPaperListHandler::kMarginFeatures[kMarginValues] = {4150, 4151, 4147, 4149, 4146,
                                                                   4148, 4180, 4181, 4182, 4183};

CNiraPaperListHandler::CNiraPaperListHandler() = default;

CNiraPaperListHandler::~CNiraPaperListHandler()
{
    FreeForms();
}

void CNiraPaperListHandler::FreeForms()
{
    for (int i = 0; i < m_forms.GetCount(); ++i) {
        void** form = m_forms.GetValueAt(i);
        if (form != nullptr) {
            LocalFree(*form);
        }
    }
    m_forms.RemoveAll();
}

int CNiraPaperListHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database)
{
    m_services = services;
    if (m_features == nullptr) {
        m_features = new (std::nothrow) CNiraPtrList;
    }
    m_database = database;
    m_ownId = handlerId;
    return 0;
}

int CNiraPaperListHandler::Detach()
{
    FreeForms();
    return 0;
}

const CustomForm* CNiraPaperListHandler::Form(int paperIndex) const
{
    if (!m_forms.Contains(paperIndex)) {
        return nullptr;
    }
    return static_cast<const CustomForm*>(*const_cast<CNiraIdMap&>(m_forms).Lookup(paperIndex));
}

std::vector<LONG> CNiraPaperListHandler::FormIndexes() const
{
    std::vector<LONG> indexes;
    for (int i = 0; i < m_forms.GetCount(); ++i) {
        indexes.push_back(m_forms.GetEntryAt(i)->key);
    }
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

int CNiraPaperListHandler::CurrentOption(int featureId)
{
    int option = 0;
    int isSet = 0;
    return m_services != nullptr && m_services->GetValue(featureId, &option, &isSet) == 0 ? option : 0;
}

bool CNiraPaperListHandler::OpenPrinterAccess(CNiraPrinterAccess** access)
{
    WCHAR* name = nullptr;
    *access = nullptr;
    if (m_services == nullptr || m_services->GetPrinterName(&name) != 0 || name == nullptr) {
        LocalFree(name);
        return false;
    }
    *access = new (std::nothrow) CNiraPrinterAccess(name);
    LocalFree(name);
    return *access != nullptr;
}

int CNiraPaperListHandler::LoadCustomForms()
{
    CNiraRegKey key;
    if (CNiraUserFormsKey::OpenForPrinter(m_services, TRUE, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE,
                                          &key) != ERROR_SUCCESS) {
        return NIRA_STATUS_FAILED;
    }
    DWORD values = 0;
    if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return NIRA_STATUS_FAILED;
    }
    FreeForms();
    m_nextFormIndex = kNoFormIndex;
    int status = 0;
    std::vector<CustomForm*> renumber;
    for (DWORD index = 0; index < values; ++index) {
        auto* form = static_cast<CustomForm*>(LocalAlloc(LPTR, sizeof(CustomForm)));
        DWORD nameChars = CustomForm::kNameChars;
        DWORD bytes = sizeof(CustomFormRecord);
        // A value of any other size is no form of ours.
        if (form == nullptr ||
            RegEnumValueW(key.Get(), index, form->name, &nameChars, nullptr, nullptr,
                          reinterpret_cast<BYTE*>(&form->record), &bytes) != ERROR_SUCCESS ||
            bytes != sizeof(CustomFormRecord)) {
            LocalFree(form);
            status = NIRA_STATUS_FAILED;
            continue;
        }
        form->record.nameSlot = 0;
        LONG paperIndex = form->record.paperIndex;
        if (paperIndex < kFirstFormIndex || m_forms.Contains(paperIndex)) {
            renumber.push_back(form);  // its index is taken or none: numbered after the others
            continue;
        }
        m_nextFormIndex = std::max(m_nextFormIndex, static_cast<int>(paperIndex));
        status = AddCustomForm(form);
    }
    for (CustomForm* form : renumber) {
        form->record.paperIndex = ++m_nextFormIndex;
        status = AddCustomForm(form);
    }
    return status;
}

int CNiraPaperListHandler::AddCustomForm(CustomForm* form)
{
    if (form == nullptr || m_services == nullptr) {
        LocalFree(form);
        return NIRA_STATUS_FAILED;
    }
    int paperIndex = form->record.paperIndex;
    OptionInfo* info = NewOptionInfo();
    if (info != nullptr) {
        info->optionIndex = paperIndex;
        info->featureId = FEATURE_PAPER_SIZE;
        info->stringId = 0;
        CopyStringSafeN(info->displayName, kTextChars, form->name, kTextChars - 1);
        int acceptable = 0;
        if (m_services->IsOptionAcceptable(FEATURE_PAPER_SIZE, kCheckOption, &acceptable) == 0 &&
            acceptable != 0) {
            info->state = kOptionStateUnavailable;
            info->defaultState = kOptionStateUnavailable;
        }
        AddOwnedOption(*m_services, kOwner, FEATURE_PAPER_SIZE, paperIndex, info);
    }
    if (m_needsHeading != 0) {
        WCHAR heading[kTextChars] = {};
        LoadResourceString(kStringCustomFormsHeading, heading);
        AddTreeViewRow(*m_services, kOwner,
                       {FEATURE_PAPER_SIZE, kHeadingOption, kHeadingSupport, kStringCustomFormsHeading,
                        kHeadingLevel, kFormsGroup},
                       heading);
        m_needsHeading = 0;
    }
    AddTreeViewRow(*m_services, kOwner,
                   {FEATURE_PAPER_SIZE, paperIndex, kFormSupport, 0, kFormLevel, kFormsGroup}, form->name);
    m_forms.SetAt(paperIndex, form);
    return 0;
}

int CNiraPaperListHandler::RemoveForm(int paperIndex)
{
    int feature = FEATURE_PAPER_SIZE;
    int option = paperIndex;
    int status = m_services->RemoveOption(kOwner, &feature, &option);
    if (status == 0 && m_forms.Contains(paperIndex)) {
        LocalFree(*m_forms.Lookup(paperIndex));
        m_forms.Remove(paperIndex);
    }
    m_services->RemoveTreeViewOption(kOwner, &feature, &option);
    if (m_forms.GetCount() == 0) {
        int heading = kHeadingOption;
        m_services->RemoveTreeViewOption(kOwner, &feature, &heading);
        m_needsHeading = 1;
    }
    int found = 0;
    if (m_services->HasOption(FEATURE_TARGET_SIZE, paperIndex, &found) == 0 && found != 0) {
        m_services->SendHandlerCommand(FEATURE_PAPER_SIZE, FEATURE_TARGET_SIZE, kCommandFormRemoved, &option,
                                       nullptr);
    }
    for (CNiraPtrList::Node* node = m_selectionHistory.GetHead(); node != nullptr; node = node->next) {
        if (AsNumber(node->value) == paperIndex) {
            m_selectionHistory.Remove(node);
            break;
        }
    }
    // The tables lose the form's entry: no empty entry is left behind.
    m_extraCount = m_forms.GetCount();
    EnsurePaperCount(nullptr);
    return status;
}

int CNiraPaperListHandler::InitializeStates()
{
    m_extraCount = m_forms.GetCount();
    EnsurePaperCount(nullptr);
    if (m_services != nullptr && CurrentOption(FEATURE_PAPER_SIZE) >= kFirstFormIndex) {
        LoadCustomMargins();
        m_services->SendHandlerCommand(FEATURE_PAPER_SIZE, kFeaturePaperDimensionsText,
                                       kCommandRebuildDimensions, nullptr, nullptr);
    }
    CNiraPaperSizeHandler::InitializeStates();
    return 0;
}

int CNiraPaperListHandler::OnFeaturesEnumerated()
{
    if (LoadCustomForms() == 0 && m_services != nullptr) {
        m_services->SendHandlerCommand(FEATURE_PAPER_SIZE, FEATURE_TARGET_SIZE, kCommandFormsLoaded,
                                       reinterpret_cast<int*>(&m_forms), nullptr);
    }
    return 0;
}

int CNiraPaperListHandler::GetOptionValue(int featureId, int optionId, int* value)
{
    int optionIndex = 0;
    if (m_services == nullptr || value == nullptr ||
        m_services->GetOptionValue(featureId, optionId, &optionIndex) != 0 || optionIndex < kFirstFormIndex) {
        return CNiraPaperSizeHandler::GetOptionValue(featureId, optionId, value);
    }
    *value = optionIndex;  // a form's DEVMODE number is its paper index
    return 0;
}

int CNiraPaperListHandler::FindOptionByValue(int featureId, int value, int* optionId)
{
    if (value <= kLastPaperIndex) {
        return CNiraPaperSizeHandler::FindOptionByValue(featureId, value, optionId);
    }
    if (m_services == nullptr || optionId == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return m_services->FindOptionByValue(featureId, value, optionId) == 0 ? 0 : NIRA_STATUS_FAILED;
}

HRESULT CNiraPaperListHandler::DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability,
                                                  PVOID output, DEVMODEW* publicDevMode, PVOID privateDevMode,
                                                  DWORD oldResult, DWORD* result, int* handled)
{
    HRESULT hr = CNiraPaperSizeHandler::DeviceCapabilities(
        printer, deviceName, capability, output, publicDevMode, privateDevMode, oldResult, result, handled);
    if (hr == S_DEVCAP_OUTPUT_FULL_REPLACEMENT && output != nullptr) {
        int kind = capability == DC_PAPERS       ? PAPER_TABLE_PAPERS
                   : capability == DC_PAPERNAMES ? PAPER_TABLE_NAMES
                                                 : PAPER_TABLE_SIZES;
        AppendCustomForms(kind, output);
    }
    return hr;
}

int CNiraPaperListHandler::AppendCustomForms(int kind, void* output)
{
    int slotKind = kind - PAPER_TABLE_PAPERS;  // papers 0, names 1, sizes 2
    // Only the table being answered must exist: DC_PAPERS may come before any names were asked.
    if (output == nullptr || kind < PAPER_TABLE_PAPERS || kind > PAPER_TABLE_SIZES ||
        (kind == PAPER_TABLE_PAPERS && m_papers == nullptr) ||
        (kind == PAPER_TABLE_NAMES && m_names == nullptr) ||
        (kind == PAPER_TABLE_SIZES && m_sizes == nullptr)) {
        return NIRA_STATUS_FAILED;
    }
    // The forms follow the database papers in the order of their paper indexes; each takes the
    // next free row, whatever slot it had before forms came or went.
    for (LONG paperIndex : FormIndexes()) {
        const CustomForm* form = Form(paperIndex);
        m_slots.Remove(paperIndex);
        int slot = 0;
        if (GetPaperSlot(slotKind, paperIndex, &slot) != 0) {
            return NIRA_STATUS_FAILED;
        }
        if (kind == PAPER_TABLE_PAPERS) {
            m_papers[slot] = static_cast<WORD>(paperIndex);
            static_cast<WORD*>(output)[slot] = m_papers[slot];
        } else if (kind == PAPER_TABLE_NAMES) {
            WCHAR* name = m_names + static_cast<size_t>(slot) * kPaperNameChars;
            CopyStringSafeN(name, kPaperNameChars, form->name, kPaperNameChars - 1);
            CopyMemory(static_cast<WCHAR*>(output) + static_cast<size_t>(slot) * kPaperNameChars, name,
                       kPaperNameChars * sizeof(WCHAR));
        } else {
            m_sizes[slot] = {form->record.width / kMicronsPerTenthMm,
                             form->record.height / kMicronsPerTenthMm};
            static_cast<PaperSize*>(output)[slot] = m_sizes[slot];
        }
    }
    return 0;
}

int CNiraPaperListHandler::GetCustomLimits(int* limits)
{
    if (m_database == nullptr || limits == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR wideTable[kFeatureTableNameSize] = {};
    char table[kFeatureTableNameSize * 3] = "FDT4114";
    LPSTR converted = nullptr;
    if (m_database->MakeTableName(FEATURE_PAPER_SIZE, wideTable) == 0 && wideTable[0] != 0 &&
        ConvertToNarrow(wideTable, &converted, CP_UTF8) && converted != nullptr) {
        StringCchCopyA(table, sizeof(table), converted);
    }
    delete[] converted;
    char query[kQueryChars];
    if (std::snprintf(
            query, sizeof(query),
            "SELECT PaperName, DimX, DimY FROM %s WHERE ( PaperName = \"%s\" OR PaperName = \"%s\") "
            "AND MM=\"0\" AND Duplex=\"0\" AND Orientation=\"1\" ORDER BY PaperName desc",
            table, kCustomMin, kCustomMax) >= static_cast<int>(sizeof(query))) {
        return NIRA_STATUS_FAILED;
    }
    m_database->SetMode(FEATURE_PAPER_SIZE);
    LimitContext context = {this, kLimitRowContext, limits};
    m_database->SetCallback(&CNiraPaperListHandler::OnLimitRow, &context);
    m_database->Execute(query);
    m_database->ClearMode(FEATURE_PAPER_SIZE);
    // A missing row leaves a limit 0, which no size can meet.
    return limits[0] != 0 && limits[1] != 0 && limits[2] != 0 && limits[3] != 0 ? 0 : NIRA_STATUS_FAILED;
}

int CNiraPaperListHandler::OnLimitRow(void* argument, int columns, char** values, char**)
{
    auto* context = static_cast<LimitContext*>(argument);
    if (context == nullptr || context->kind != kLimitRowContext || context->limits == nullptr ||
        columns != kLimitColumns || values == nullptr || values[0] == nullptr) {
        return 0;
    }
    int* limits = context->limits;
    int first = std::strcmp(values[0], kCustomMin) == 0   ? 0
                : std::strcmp(values[0], kCustomMax) == 0 ? 2
                                                          : -1;
    if (first < 0) {
        return 1;  // not a limit row: the query stops
    }
    limits[first] = values[1] != nullptr ? std::atoi(values[1]) : 0;
    limits[first + 1] = values[2] != nullptr ? std::atoi(values[2]) : 0;
    return 0;
}

int CNiraPaperListHandler::LoadCustomMargins()
{
    if (m_database == nullptr || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int borderless = CurrentOption(FEATURE_BORDERLESS) == kBordersOption ? 0 : 1;
    char query[kQueryChars] = {};
    const struct {
        const char* piece;
        int number;
    } clauses[] = {
        {"SELECT EKeyFloat_PmPaperTopMarginInches, EKeyFloat_PmPaperBottomMarginInches, "
         "EKeyFloat_PmPaperLeftMarginInches, EKeyFloat_PmPaperRightMarginInches, "
         "EKeyFloat_HbIjPmTopOverspray, "
         "EKeyFloat_HbIjPmBottomOverspray, EKeyFloat_HbIjPmLeftOverspray, EKeyFloat_HbIjPmRightOverspray "
         "FROM "
         "FDT4114 WHERE OptionID=\"",
         kFreeSizeOption},
        {" AND MM=\"", CurrentOption(FEATURE_POPUP_SETTINGS)},
        {" AND Duplex=\"", CurrentOption(FEATURE_DUPLEX)},
        {" AND Borderless=\"", borderless},
        {" AND Orientation=\"", CurrentOption(FEATURE_ORIENTATION)},
    };
    for (const auto& clause : clauses) {
        char text[kQueryChars];
        size_t room = &clause == &clauses[0] ? kQueryChars : kClauseChars;
        int written =
            std::snprintf(text, room, "%s%u%s", clause.piece, static_cast<unsigned>(clause.number), "\"");
        if (written < 0 || static_cast<size_t>(written) >= room ||
            FAILED(StringCchCatA(query, sizeof(query), text))) {
            return NIRA_STATUS_FAILED;
        }
    }
    m_database->SetMode(FEATURE_PAPER_SIZE);
    m_database->SetCallback(&CNiraPaperListHandler::OnMarginRow, this);
    LONG status = m_database->Execute(query);
    m_database->ClearMode(FEATURE_PAPER_SIZE);
    return status == 0 ? 0 : NIRA_STATUS_FAILED;
}

int CNiraPaperListHandler::OnMarginRow(void* argument, int columns, char** values, char**)
{
    auto* self = static_cast<CNiraPaperListHandler*>(argument);
    if (self == nullptr || values == nullptr || columns < kMarginColumns || columns > kMostColumns) {
        return 0;
    }
    double margins[kMarginColumns] = {};
    for (int i = 0; i < kMarginColumns; ++i) {
        margins[i] = values[i] != nullptr ? std::atof(values[i]) : 0.0;
    }
    self->PublishMargins(margins);
    return 0;
}

void CNiraPaperListHandler::PublishMargins(const double* columns)
{
    int current = 0;
    int isSet = 0;
    if (m_services->GetValue(FEATURE_PAPER_SIZE, &current, &isSet) != 0) {
        return;
    }
    const CustomForm* form = Form(current);
    if (form == nullptr) {
        return;
    }
    float values[kMarginValues] = {static_cast<float>(form->record.width / kMicronsPerInch),
                                   static_cast<float>(form->record.height / kMicronsPerInch)};
    for (int i = 0; i < kMarginColumns; ++i) {
        values[2 + i] = static_cast<float>(columns[i]);
    }
    for (int i = 0; i < kMarginValues; ++i) {
        int feature = kMarginFeatures[i];
        int option = 1;
        if (m_services->GetOptionCount(feature) == 0 ||
            m_services->RemoveOption(m_ownId, &feature, &option) != 0) {
            return;
        }
        OptionInfo* info = NewOptionInfo();
        if (info == nullptr) {
            return;
        }
        info->featureId = feature;
        StringCchPrintfW(info->displayName, kTextChars, TEXT("%f"), static_cast<double>(values[i]));
        if (AddOwnedOption(*m_services, m_ownId, feature, option, info) != 0 ||
            m_services->SetValue(kOwner, &feature, &option, kReasonByHandler, 0, 0, 0) != 0) {
            return;
        }
    }
}

int CNiraPaperListHandler::RememberPreviousOption(int featureId)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int previous = 0;
    int isSet = 0;
    if (m_services->GetPreviousOption(featureId, &previous, &isSet) != 0 &&
        m_services->GetDefaultOption(featureId, &previous) != 0) {
        previous = 0;
    }
    CNiraPtrList::Node* head = m_selectionHistory.GetHead();
    if (head != nullptr && AsNumber(head->value) == previous) {
        return 0;
    }
    for (CNiraPtrList::Node* node = head; node != nullptr; node = node->next) {
        if (AsNumber(node->value) == previous) {
            m_selectionHistory.Remove(node);
            break;
        }
    }
    m_selectionHistory.AddHead(AsValue(previous));
    return 0;
}

int CNiraPaperListHandler::ApplyFormBorderless(int paperIndex)
{
    const CustomForm* form = Form(paperIndex);
    if (form == nullptr || m_services == nullptr) {
        return 0;
    }
    int borders = form->record.borderless == 1 ? kBorderlessOption : kBordersOption;
    if (m_services->SendHandlerCommand(FEATURE_PAPER_SIZE, FEATURE_BORDERLESS, kCommandSetBorderless,
                                       &borders, nullptr) != 0) {
        return 0;
    }
    CNiraPrinterAccess* access = nullptr;
    int direct = 0;
    if (OpenPrinterAccess(&access) && access->IsDirectPrinting(&direct) && direct == 0) {
        int shown = kDisplayGreyed;
        m_services->SendHandlerCommand(FEATURE_PAPER_SIZE, FEATURE_BORDERLESS, kCommandShowBorderless, &shown,
                                       nullptr);
    }
    delete access;
    return 0;
}

int CNiraPaperListHandler::SelectPaper(int option, int reason)
{
    int feature = FEATURE_PAPER_SIZE;
    m_services->SetOptionState(kOwner, FEATURE_PAPER_SIZE, option, kOptionStateAvailable);
    return m_services->SetValue(kOwner, &feature, &option, reason, 0, 0, 0);
}

int CNiraPaperListHandler::OnCommand(int sourceFeatureId, int command, int* value, int* result)
{
    int base = CNiraPaperSizeHandler::OnCommand(sourceFeatureId, command, value, result);
    switch (command) {
    case PAPER_COMMAND_GET_SIZE:
    case PAPER_COMMAND_GET_FORM_SIZE: {
        if (command == PAPER_COMMAND_GET_SIZE && base == 0) {
            return 0;
        }
        const CustomForm* form = value != nullptr && result != nullptr ? Form(*value) : nullptr;
        if (form == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        LONG divisor = command == PAPER_COMMAND_GET_SIZE ? kMicronsPerTenthMm : 1;
        result[0] = form->record.width / divisor;
        result[1] = form->record.height / divisor;
        return 0;
    }
    case PAPER_COMMAND_ADD_FORM: {
        auto* form = reinterpret_cast<CustomForm*>(value);
        if (form == nullptr || m_services == nullptr) {
            LocalFree(form);
            return NIRA_STATUS_FAILED;
        }
        if (form->record.paperIndex < kFirstFormIndex || m_forms.Contains(form->record.paperIndex)) {
            form->record.paperIndex = ++m_nextFormIndex;
        }
        bool borderless = form->record.borderless != 0;
        CustomForm copy = *form;
        int status = AddCustomForm(form);
        m_extraCount = m_forms.GetCount();
        EnsurePaperCount(nullptr);
        if (!borderless) {
            status =
                m_services->SendHandlerCommand(FEATURE_PAPER_SIZE, FEATURE_TARGET_SIZE, kCommandFormAdded,
                                               reinterpret_cast<int*>(&copy), nullptr);
        }
        return status;
    }
    case PAPER_COMMAND_REMOVE_FORM:
        return value != nullptr && m_services != nullptr ? RemoveForm(*value) : NIRA_STATUS_FAILED;
    case PAPER_COMMAND_SELECT_FORM: {
        if (value == nullptr || m_services == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        int option = *value;
        int status = SelectPaper(option, kSelectionReason);
        LoadCustomMargins();
        RememberPreviousOption(FEATURE_PAPER_SIZE);
        if (option >= kFirstFormIndex) {
            ApplyFormBorderless(option);
        }
        return status;
    }
    case PAPER_COMMAND_GET_CUSTOM_LIMITS:
        return GetCustomLimits(value);
    case PAPER_COMMAND_RESTORE_SELECTION: {
        if (m_services == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        CNiraPtrList::Node* head = m_selectionHistory.GetHead();
        int previous = head != nullptr ? AsNumber(head->value) : 0;
        int acceptable = 0;
        if (m_services->IsOptionAcceptable(FEATURE_PAPER_SIZE, previous, &acceptable) != 0 ||
            acceptable == 0) {
            m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &previous);
        }
        return previous != 0 ? SelectPaper(previous, kSelectionReason) : NIRA_STATUS_FAILED;
    }
    case PAPER_COMMAND_GET_TABLE_SIZE: {
        int slot = 0;
        if (value == nullptr || result == nullptr || m_sizes == nullptr ||
            FindPaperSlot(kSizesSlot, *result, &slot) != 0) {
            return NIRA_STATUS_FAILED;
        }
        value[0] = m_sizes[slot].width;
        value[1] = m_sizes[slot].height;
        return 0;
    }
    case PAPER_COMMAND_NEXT_FORM_INDEX:
        if (result == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        *result = ++m_nextFormIndex;
        return 0;
    default:
        return base;
    }
}

int CNiraPaperListHandler::OnWidgetChanged(int widgetId)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    RememberPreviousOption(widgetId);
    int isSet = 0;
    if (widgetId == kApplyPaperWidget) {
        int chosen = CurrentOption(kPaperChoiceFeature);
        int userSelected = 0;
        m_services->IsUserSelected(kPaperChoiceFeature, &userSelected);
        if (userSelected != 0 && chosen != 0) {
            int target = chosen;
            if (target == kChoosePrevious || target == kChoosePreviousToo) {
                if (m_services->GetPreviousOption(FEATURE_PAPER_SIZE, &target, &isSet) != 0) {
                    m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &target);
                }
            }
            int state = 0;
            int reason =
                m_services->GetOptionState(FEATURE_PAPER_SIZE, target, &state) == 0 && state == kConflictState
                    ? kConflictState
                    : kReasonByHandler;
            if (target >= kFirstFormIndex && ApplyFormBorderless(target) != 0) {
                return NIRA_STATUS_FAILED;
            }
            int feature = FEATURE_PAPER_SIZE;
            m_services->SetValue(m_ownId, &feature, &target, reason, 1, 0, 0);
            int choice = kPaperChoiceFeature;
            int none = 0;
            m_services->SetValue(m_ownId, &choice, &none, kReasonByHandler, 0, 0, 0);
            LoadCustomMargins();
            FeatureEntry* entry = nullptr;
            if (m_services->FindFeature(&choice, &entry) == 0 && entry != nullptr &&
                entry->record != nullptr) {
                entry->record->userSelected = 0;
            }
        }
    } else if (widgetId == kPreviousPaperWidget) {
        int previous = 0;
        if (m_services->GetPreviousOption(FEATURE_PAPER_SIZE, &previous, &isSet) != 0) {
            m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &previous);
        }
        m_services->SetOptionState(m_ownId, FEATURE_PAPER_SIZE, previous, kOptionStateAvailable);
        int feature = FEATURE_PAPER_SIZE;
        m_services->SetValue(m_ownId, &feature, &previous, kReasonByHandler, 0, 0, 0);
    }
    int current = 0;
    if (m_services->GetValue(FEATURE_PAPER_SIZE, &current, &isSet) != 0) {
        return NIRA_STATUS_FAILED;
    }
    if (current >= kFirstFormIndex) {
        ApplyFormBorderless(current);
    }
    return 0;
}

int CNiraPaperListHandler::OnFeatureChanged(int featureId, int changeKind)
{
    if (featureId != FEATURE_PAPER_SIZE || changeKind != kNewValueChange || m_services == nullptr) {
        return 0;
    }
    int current = CurrentOption(FEATURE_PAPER_SIZE);
    int acceptable = 0;
    if (m_services->IsOptionAcceptable(FEATURE_PAPER_SIZE, kCheckOption, &acceptable) != 0 ||
        acceptable == 0) {
        return 0;
    }
    int defaultOption = 0;
    m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &defaultOption);
    if (current == kCheckOption || current == kFreeSizeOption || current == defaultOption) {
        return 0;
    }
    for (CNiraPtrList::Node* node = m_formHistory.GetHead(); node != nullptr; node = node->next) {
        if (AsNumber(node->value) == current) {
            return 0;
        }
    }
    if (static_cast<size_t>(m_formHistory.GetCount()) >= kRecentPapers) {
        CNiraPtrList::Node* oldest = m_formHistory.GetTail();
        int oldestOption = AsNumber(oldest->value);
        if (m_services->IsOptionAcceptable(FEATURE_PAPER_SIZE, oldestOption, &acceptable) == 0 &&
            acceptable != 0) {
            m_services->SetOptionState(m_ownId, FEATURE_PAPER_SIZE, oldestOption, kOptionStateUnavailable);
        }
        m_formHistory.Remove(oldest);
    }
    m_formHistory.AddHead(AsValue(current));
    return 0;
}

std::vector<CNiraPaperListHandler::FormEntry> CNiraPaperListHandler::CollectCustomForms()
{
    std::vector<FormEntry> entries;
    for (LONG paperIndex : FormIndexes()) {
        const CustomForm* form = Form(paperIndex);
        entries.push_back({CNiraString(form->name), form->record.width, form->record.height});
    }
    return entries;
}

int CNiraPaperListHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    int status = CNiraPaperSizeHandler::ReadPrintTicket(printTicket);
    if (status != 0) {
        return status;
    }
    return XDGuarded([&]() -> HRESULT {
        MediaSizeValues values = {CXDMediaSizeFeature::kLetterWidth, CXDMediaSizeFeature::kLetterHeight,
                                  CXDString(kDefaultPaperName)};
        CXDPrintTicket ticket(printTicket);
        CXDMediaSizeFeature::ReadPrintTicket(ticket, &values);
        LPCWSTR name = values.optionName.GetBuffer();
        if (name == nullptr) {
            return S_OK;
        }
        // "ZQ_" and the form's name, after any namespace prefix: only the first underscore is cut.
        LPCWSTR formName = After(After(name, TEXT(':')), TEXT('_'));
        OptionInfo* info = NewOptionInfo();
        if (info == nullptr) {
            return E_FAIL;
        }
        for (LONG paperIndex : FormIndexes()) {
            if (m_services->GetOptionInfo(FEATURE_PAPER_SIZE, paperIndex, info) != 0) {
                break;
            }
            if (lstrcmpW(formName, info->displayName) == 0) {
                int feature = FEATURE_PAPER_SIZE;
                int option = paperIndex;
                m_services->SetValue(kOwner, &feature, &option, kSelectionReason, 0, 0, 0);
                LoadCustomMargins();
            }
        }
        LocalFree(info);
        return S_OK;
    });
}

int CNiraPaperListHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    if (m_services != nullptr) {
        LoadCustomForms();
    }
    int status = CNiraPaperSizeHandler::WritePrintTicket(printTicket);
    if (status != 0 || printTicket == nullptr) {
        return status;
    }
    int current = CurrentOption(FEATURE_PAPER_SIZE);
    int optionIndex = 0;
    if (m_services->GetOptionValue(FEATURE_PAPER_SIZE, current, &optionIndex) != 0 ||
        optionIndex < kFirstFormIndex) {
        return 0;
    }
    XDGuarded([&]() -> HRESULT {
        OptionInfo* info = NewOptionInfo();
        if (info == nullptr) {
            return E_FAIL;
        }
        m_services->GetOptionInfo(FEATURE_PAPER_SIZE, current, info);
        // A form that is not stored any more is written as the default paper.
        MediaSizeValues values = {CXDMediaSizeFeature::kLetterWidth, CXDMediaSizeFeature::kLetterHeight,
                                  CXDString(kDefaultPaperName)};
        for (const FormEntry& entry : CollectCustomForms()) {
            if (lstrcmpW(entry.name.GetBuffer(), info->displayName) == 0) {
                CNiraString name(kFormPrefix);
                name += entry.name;
                values = {entry.width, entry.height, CXDString(name.GetBuffer())};
            }
        }
        LocalFree(info);
        CXDPrintTicket ticket(printTicket);
        return CXDMediaSizeFeature::WritePrintTicket(ticket, &values);
    });
    return 0;
}

int CNiraPaperListHandler::WritePrintCapabilities(IXMLDOMDocument2* printTicket,
                                                  IXMLDOMDocument2* printCapabilities)
{
    int status = CNiraPaperSizeHandler::WritePrintCapabilities(printTicket, printCapabilities);
    if (FAILED(status)) {
        return status;
    }
    return XDGuarded([&]() -> HRESULT {
        CXDPrintCapabilities capabilities(printCapabilities);
        CXDComPtr<IXMLDOMNode> root;
        HRESULT hr = capabilities.SelectSingleNode(TEXT("psf:PrintCapabilities"), &root);
        if (hr != S_OK) {
            return hr;
        }
        LoadCustomForms();
        std::vector<FormEntry> entries = CollectCustomForms();
        LPCWSTR featureName = FeaturePrintTicketName(FEATURE_PAPER_SIZE);
        CXDComPtr<IXMLDOMNode> feature;
        if (entries.empty() || featureName == nullptr ||
            capabilities.GetFeatureElement(featureName, &feature) != S_OK || feature.Get() == nullptr) {
            return S_OK;
        }
        for (const FormEntry& entry : entries) {
            CNiraString name(kFormPrefix);
            name += entry.name;
            hr = AppendMediaSizeOption(capabilities, feature.Get(), name.GetBuffer(), name.GetBuffer(),
                                       entry.width, entry.height);
            if (FAILED(hr)) {
                break;
            }
        }
        CXDComPtr<IXMLDOMNode> appended;
        root->appendChild(feature.Get(), &appended);
        return S_OK;
    });
}
