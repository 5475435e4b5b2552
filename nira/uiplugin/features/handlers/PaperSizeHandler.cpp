#include "nira/uiplugin/features/handlers/PaperSizeHandler.h"

#include <printoem.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "common/NiraStatus.h"
#include "common/ScopedResources.h"
#include "common/ProcessIdentity.h"
#include "common/SafeString.h"
#include "nira/uiplugin/features/handlers/CustomForms.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDGuard.h"
#include "printticket/XDMediaSizeFeature.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDVocabulary.h"

namespace {

// Writes to feature 4114 name the paper list's class, which owns the feature in the database.
constexpr int kPaperOwner = CLASS_PAPER_LIST;
constexpr int kSlotPapers = 0;
constexpr int kSlotNames = 1;
constexpr int kSlotSizes = 2;
constexpr int kSlotReported = 3;
constexpr int kExcludedOption = 254;
constexpr int kMarginOption = 26;
constexpr size_t kQueryChars = 710;
constexpr double kUnitsPerInch = 1200.0;
constexpr double kTenthsMmPerInch = 254.0;
constexpr double kMicronsPerInch = 25400.0;
constexpr int kMicronsPerTenthMm = 100;
const char kPaperTable[] = "FDT4114";
const char kHostUsingKeywords[] = "printarea.exe";
constexpr size_t kBaseNameChars = 260;
const WCHAR kDefaultPaperName[] = TEXT("NorthAmericaLetter");
const WCHAR kPrintCapabilitiesDisplayNameProperty[] = TEXT("DisplayName");
const WCHAR kMediaSizeWidth[] = TEXT("MediaSizeWidth");
const WCHAR kMediaSizeHeight[] = TEXT("MediaSizeHeight");

struct RowContext {
    CNiraPaperSizeHandler* handler;
    int kind;
    void* target;
};

bool HostUsesKeywordNames()
{
    char name[kBaseNameChars] = {};
    size_t length = 0;
    return GetProcessBaseName(name, sizeof(name), &length) == 0 &&
           CompareStringNoCaseSafeA(name, kHostUsingKeywords) == S_OK;
}

int ColumnIndex(int columns, char** names, const char* name)
{
    for (int i = 0; i < columns; ++i) {
        if (names[i] != nullptr && CompareStringNoCaseSafeA(names[i], name) == S_OK) {
            return i;
        }
    }
    return -1;
}

LPCSTR Column(int columns, char** values, char** names, const char* name)
{
    int index = ColumnIndex(columns, names, name);
    return index >= 0 ? values[index] : nullptr;
}

void* Allocate(size_t bytes)
{
    return bytes != 0 ? LocalAlloc(LPTR, bytes) : nullptr;
}

template <class T>
void Free(T*& block)
{
    if (block != nullptr) {
        LocalFree(block);
        block = nullptr;
    }
}

}  // namespace

size_t SafeWideLength(const WCHAR* text)
{
    size_t length = 0;
    while (text != nullptr && text[length] != 0) {
        ++length;
    }
    return length;
}

CNiraPaperSizeHandler::CNiraPaperSizeHandler() = default;

CNiraPaperSizeHandler::~CNiraPaperSizeHandler()
{
    FreePaperTables();
    Free(m_reported);
    Free(m_paperIndexes);
}

int CNiraPaperSizeHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database)
{
    m_services = services;
    if (m_features == nullptr) {
        m_features = new (std::nothrow) CNiraPtrList;
    }
    m_database = database;
    m_ownId = handlerId;
    m_slots.RemoveAll();
    return 0;
}

int CNiraPaperSizeHandler::EnsurePaperCount(int* count)
{
    if (m_databaseCount == 0) {
        int status = BuildPaperTable(PAPER_TABLE_COUNT, nullptr, nullptr);
        if (status != 0) {
            return status;
        }
    }
    m_count = m_databaseCount + m_extraCount;
    if (count != nullptr) {
        *count = m_count;
    }
    return 0;
}

int CNiraPaperSizeHandler::AddExtraPaperCount(int n)
{
    m_extraCount += n;
    return EnsurePaperCount(nullptr);
}

int CNiraPaperSizeHandler::GetPaperCount(int* count)
{
    return EnsurePaperCount(count);
}

int CNiraPaperSizeHandler::BuildPaperTable(int kind, void* target, const int* size)
{
    if (kind < PAPER_TABLE_COUNT || kind > PAPER_TABLE_REPORTED || m_database == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    const size_t entries = static_cast<size_t>(m_count);
    switch (kind) {
    case PAPER_TABLE_PAPERS:
    case PAPER_TABLE_NAMES:
    case PAPER_TABLE_SIZES: {
        if (m_count <= 0) {
            return NIRA_STATUS_FAILED;
        }
        if (kind == PAPER_TABLE_PAPERS) {
            Free(m_papers);
            m_papersBytes = entries * sizeof(WORD);
            m_lastRow[kSlotPapers] = -1;
            m_papers = static_cast<WORD*>(Allocate(m_papersBytes));
        } else if (kind == PAPER_TABLE_NAMES) {
            Free(m_names);
            m_namesBytes = entries * kPaperNameChars * sizeof(WCHAR);
            m_lastRow[kSlotNames] = -1;
            m_names = static_cast<WCHAR*>(Allocate(m_namesBytes));
        } else {
            Free(m_sizes);
            m_sizesBytes = entries * sizeof(PaperSize);
            m_lastRow[kSlotSizes] = -1;
            m_sizes = static_cast<PaperSize*>(Allocate(m_sizesBytes));
        }
        if ((kind == PAPER_TABLE_PAPERS && m_papers == nullptr) ||
            (kind == PAPER_TABLE_NAMES && m_names == nullptr) ||
            (kind == PAPER_TABLE_SIZES && m_sizes == nullptr)) {
            return NIRA_STATUS_FAILED;
        }
        break;
    }
    case PAPER_TABLE_REPORTED: {
        Free(m_reported);
        Free(m_paperIndexes);
        if (m_count == 0) {
            int status = EnsurePaperCount(nullptr);
            if (status != 0 || m_count == 0) {
                return status != 0 ? status : NIRA_STATUS_FAILED;
            }
        }
        m_lastRow[kSlotReported] = -1;
        m_reported = static_cast<INT*>(Allocate(static_cast<size_t>(m_count) * sizeof(INT)));
        m_paperIndexes = static_cast<INT*>(Allocate(static_cast<size_t>(m_count) * sizeof(INT)));
        if (m_reported == nullptr || m_paperIndexes == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        break;
    }
    default:
        break;
    }
    char query[kQueryChars];
    const char* range = " WHERE PaperIndex BETWEEN '256' AND '500'";
    int written = 0;
    switch (kind) {
    case PAPER_TABLE_COUNT:
        written = std::snprintf(query, sizeof(query), "SELECT COUNT(DISTINCT OptionId) FROM %s%s",
                                kPaperTable, range);
        break;
    case PAPER_TABLE_PAPERS:
    case PAPER_TABLE_REPORTED:
        written = std::snprintf(query, sizeof(query), "SELECT DISTINCT PaperIndex, ReportedIndex FROM %s%s",
                                kPaperTable, range);
        break;
    case PAPER_TABLE_NAMES:
        written = std::snprintf(query, sizeof(query), "SELECT DISTINCT PaperIndex, OptionID FROM %s%s",
                                kPaperTable, range);
        break;
    case PAPER_TABLE_SIZES:
        written =
            std::snprintf(query, sizeof(query), "SELECT DISTINCT PaperIndex, PaperName, DimX, DimY FROM %s%s",
                          kPaperTable, range);
        break;
    default:
        if (size == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        // The inch columns are compared as the text of two significant digits.
        written =
            std::snprintf(query, sizeof(query),
                          "SELECT DISTINCT OptionID FROM %s%s AND  EKeyFloat_PmPaperWidthInches=\"%.2g\" and "
                          "EKeyFloat_PmPaperHeightInches=\"%.2g\"",
                          kPaperTable, range, size[0] / kMicronsPerInch, size[1] / kMicronsPerInch);
        break;
    }
    if (written <= 0 || written >= static_cast<int>(sizeof(query))) {
        return NIRA_STATUS_FAILED;
    }
    m_database->SetMode(FEATURE_PAPER_SIZE);
    RowContext context = {this, kind, target};
    m_database->SetCallback(&CNiraPaperSizeHandler::OnPaperRow, &context);
    LONG status = m_database->Execute(query);
    m_database->ClearMode(FEATURE_PAPER_SIZE);
    return status == 0 ? 0 : NIRA_STATUS_FAILED;
}

int CNiraPaperSizeHandler::OnPaperRow(void* argument, int columns, char** values, char** names)
{
    auto* context = static_cast<RowContext*>(argument);
    if (context == nullptr || values == nullptr || names == nullptr || context->kind > PAPER_TABLE_REPORTED ||
        columns <= 0) {
        return 0;
    }
    CNiraPaperSizeHandler& self = *context->handler;
    LPCSTR paperIndex = Column(columns, values, names, "PaperIndex");
    switch (context->kind) {
    case PAPER_TABLE_COUNT:
        if (values[0] != nullptr && std::atoi(values[0]) >= 0) {
            self.m_databaseCount = std::atoi(values[0]);
        }
        break;
    case PAPER_TABLE_PAPERS:
    case PAPER_TABLE_REPORTED: {
        LPCSTR reported = Column(columns, values, names, "ReportedIndex");
        if (paperIndex != nullptr && reported != nullptr) {
            self.StorePaperRow(context->kind, std::atoi(paperIndex), reported);
        }
        break;
    }
    case PAPER_TABLE_NAMES: {
        LPCSTR option = Column(columns, values, names, "OptionID");
        if (paperIndex != nullptr && option != nullptr) {
            self.StorePaperRow(PAPER_TABLE_NAMES, std::atoi(paperIndex), option);
        }
        break;
    }
    case PAPER_TABLE_SIZES: {
        LPCSTR dimX = Column(columns, values, names, "DimX");
        LPCSTR dimY = Column(columns, values, names, "DimY");
        if (paperIndex != nullptr && Column(columns, values, names, "PaperName") != nullptr &&
            dimX != nullptr && dimY != nullptr) {
            self.StorePaperSize(std::atoi(paperIndex), dimX, dimY);
        }
        break;
    }
    default:
        if (values[0] != nullptr && context->target != nullptr) {
            *static_cast<int*>(context->target) = std::atoi(values[0]);
        }
        break;
    }
    return 0;
}

int CNiraPaperSizeHandler::StorePaperRow(int kind, int paperIndex, LPCSTR value)
{
    int slot = 0;
    int number = std::atoi(value);
    switch (kind) {
    case PAPER_TABLE_PAPERS:
        if (m_papers == nullptr || GetPaperSlot(kSlotPapers, paperIndex, &slot) != 0) {
            return NIRA_STATUS_FAILED;
        }
        m_papers[slot] = static_cast<WORD>(number);
        return 0;
    case PAPER_TABLE_NAMES: {
        if (m_names == nullptr || m_services == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        WCHAR name[kPaperNameChars] = {};
        auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
        if (info != nullptr && HostUsesKeywordNames() &&
            m_services->GetOptionInfo(FEATURE_PAPER_SIZE, number, info) == 0) {
            lstrcpynW(name, info->optionName, static_cast<int>(kPaperNameChars));
        } else {
            WCHAR displayName[kOptionTextLength] = {};
            m_services->GetOptionName(FEATURE_PAPER_SIZE, number, displayName);
            lstrcpynW(name, displayName, static_cast<int>(kPaperNameChars));
        }
        LocalFree(info);
        if (GetPaperSlot(kSlotNames, paperIndex, &slot) != 0) {
            return NIRA_STATUS_FAILED;
        }
        CopyMemory(m_names + static_cast<size_t>(slot) * kPaperNameChars, name, sizeof(name));
        return 0;
    }
    case PAPER_TABLE_REPORTED:
        if (m_reported == nullptr || m_paperIndexes == nullptr ||
            GetPaperSlot(kSlotReported, paperIndex, &slot) != 0) {
            return NIRA_STATUS_FAILED;
        }
        m_reported[slot] = number;
        m_paperIndexes[slot] = paperIndex;
        return 0;
    default:
        return 0;
    }
}

int CNiraPaperSizeHandler::StorePaperSize(int paperIndex, LPCSTR dimX, LPCSTR dimY)
{
    int slot = 0;
    if (GetPaperSlot(kSlotSizes, paperIndex, &slot) != 0 || m_sizes == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    auto tenths = [](LPCSTR text) {
        auto units = static_cast<unsigned>(std::strtoul(text, nullptr, 10));
        auto mm = static_cast<float>(units / kUnitsPerInch * kTenthsMmPerInch);
        return static_cast<LONG>(mm + 0.5f);
    };
    m_sizes[slot] = {tenths(dimX), tenths(dimY)};
    return 0;
}

void CNiraPaperSizeHandler::ResetPaperSlots()
{
    m_slots.RemoveAll();
    for (int& row : m_lastRow) {
        row = -1;
    }
    m_papersBytes = m_namesBytes = m_sizesBytes = 0;
}

int CNiraPaperSizeHandler::GetPaperSlot(int slotKind, int paperIndex, int* slot)
{
    if (slotKind < 0 || slotKind >= kSlotKinds || paperIndex < kFirstPaperIndex || m_count == 0 ||
        slot == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int row = ++m_lastRow[slotKind];
    if (m_slots.Contains(paperIndex)) {
        return FindPaperSlot(slotKind, paperIndex, slot);
    }
    if (row < m_count) {
        *slot = row;
        m_slots.SetAt(paperIndex, reinterpret_cast<void*>(static_cast<INT_PTR>(row)));
        return 0;
    }
    *slot = m_count;
    return NIRA_STATUS_FAILED;
}

int CNiraPaperSizeHandler::FindPaperSlot(int slotKind, int paperIndex, int* slot)
{
    if (slotKind < 0 || slotKind >= kSlotKinds || paperIndex < kFirstPaperIndex || m_count == 0 ||
        slot == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *slot = m_slots.Contains(paperIndex)
                ? static_cast<int>(reinterpret_cast<INT_PTR>(*m_slots.Lookup(paperIndex)))
                : 0;
    return *slot < m_count ? 0 : NIRA_STATUS_FAILED;
}

int CNiraPaperSizeHandler::LoadPaperTables()
{
    ResetPaperSlots();
    if (EnsurePaperCount(nullptr) != 0 || BuildPaperTable(PAPER_TABLE_SIZES, nullptr, nullptr) != 0 ||
        BuildPaperTable(PAPER_TABLE_PAPERS, nullptr, nullptr) != 0 ||
        BuildPaperTable(PAPER_TABLE_NAMES, nullptr, nullptr) != 0) {
        return 0;
    }
    // The option lists start afresh with every load.
    m_options.reset(new (std::nothrow) OptionTables);
    if (TablesLoaded() && m_options && m_services != nullptr) {
        m_services->EnumerateOptions(FEATURE_PAPER_SIZE, &CNiraPaperSizeHandler::OnPaperOption, this);
    }
    return 0;
}

int CNiraPaperSizeHandler::OnPaperOption(int index, int optionId, int optionIndex, WCHAR*, void* argument)
{
    auto* self = static_cast<CNiraPaperSizeHandler*>(argument);
    bool done = false;
    // Owned: the tables may throw when memory runs out, and the block must go all the same.
    CNiraLocalBuffer<OptionInfo> info = CNiraLocalBuffer<OptionInfo>::Allocate(sizeof(OptionInfo));
    if (info && self->m_services->GetOptionInfo(FEATURE_PAPER_SIZE, optionId, info.Get()) == 0 &&
        optionId != kExcludedOption && optionId != kMarginOption) {
        self->m_options->namespaces.Add(CNiraString(info->vocabNamespace));
        self->m_options->printTicketNames.Add(CNiraString(info->vocabMap));
        self->m_options->ids.Add(optionId);
        done = true;
    }
    if (self->m_papers != nullptr && index >= 0 && index < self->m_count) {
        self->m_papers[index] = static_cast<WORD>(optionIndex);
        done = true;
    }
    return done ? 0 : NIRA_STATUS_FAILED;
}

int CNiraPaperSizeHandler::FreePaperTables()
{
    Free(m_papers);
    Free(m_names);
    Free(m_sizes);
    return 0;
}

HRESULT CNiraPaperSizeHandler::DeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID output, DEVMODEW*,
                                                  PVOID, DWORD, DWORD* result, int* handled)
{
    int kind = capability == DC_PAPERS       ? PAPER_TABLE_PAPERS
               : capability == DC_PAPERSIZE  ? PAPER_TABLE_SIZES
               : capability == DC_PAPERNAMES ? PAPER_TABLE_NAMES
                                             : -1;
    if (kind < 0) {
        return E_FAIL;
    }
    int count = 0;
    if (EnsurePaperCount(&count) != 0) {
        return E_FAIL;
    }
    if (output != nullptr) {
        if (BuildPaperTable(kind, nullptr, nullptr) != 0) {
            return E_FAIL;
        }
        const void* table = kind == PAPER_TABLE_PAPERS  ? static_cast<const void*>(m_papers)
                            : kind == PAPER_TABLE_SIZES ? static_cast<const void*>(m_sizes)
                                                        : static_cast<const void*>(m_names);
        size_t bytes = kind == PAPER_TABLE_PAPERS  ? m_papersBytes
                       : kind == PAPER_TABLE_SIZES ? m_sizesBytes
                                                   : m_namesBytes;
        CopyMemory(output, table, bytes);
    }
    *result = static_cast<DWORD>(count);
    *handled = 1;
    return S_DEVCAP_OUTPUT_FULL_REPLACEMENT;
}

int CNiraPaperSizeHandler::InitializeStates()
{
    EnsurePaperCount(nullptr);
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int current = 0;
    int isSet = 0;
    m_services->GetValue(FEATURE_PAPER_SIZE, &current, &isSet);
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_services->GetOptionInfo(FEATURE_PAPER_SIZE, current, info);
    if (info->featureId == 0) {
        m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &current);
    }
    LocalFree(info);
    if (current == 0) {
        return NIRA_STATUS_FAILED;
    }
    int previous = 0;
    if (m_services->GetPreviousOption(FEATURE_PAPER_SIZE, &previous, &isSet) != 0) {
        m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &previous);
    }
    m_selectionHistory.AddHead(reinterpret_cast<void*>(static_cast<INT_PTR>(previous)));
    m_services->SetOptionState(m_ownId, FEATURE_PAPER_SIZE, current, kOptionStateAvailable);
    int feature = FEATURE_PAPER_SIZE;
    return m_services->SetValue(kPaperOwner, &feature, &current, kReasonByHandler, 0, 0, 0) == 0
               ? 0
               : NIRA_STATUS_FAILED;
}

int CNiraPaperSizeHandler::GetReportedIndex(int paperIndex, int* reported)
{
    if (m_reported == nullptr) {
        int status = BuildPaperTable(PAPER_TABLE_REPORTED, nullptr, nullptr);
        if (status != 0) {
            return status;
        }
    }
    int slot = 0;
    int status = FindPaperSlot(kSlotReported, paperIndex, &slot);
    if (status != 0) {
        return status;
    }
    *reported = m_reported[slot];
    return 0;
}

int CNiraPaperSizeHandler::FindReportedSlot(const int* reported, int* slot, int slotKind)
{
    if (slotKind != kSlotReported || m_reported == nullptr || reported == nullptr || slot == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // The rows stored, never beyond the table.
    int last = m_lastRow[kSlotReported] < m_count ? m_lastRow[kSlotReported] : m_count - 1;
    for (int i = 0; i <= last; ++i) {
        if (m_reported[i] == *reported) {
            *slot = i;
            return 0;
        }
    }
    return kNotListed;
}

int CNiraPaperSizeHandler::GetPaperIndexOfReported(int reported, int* paperIndex)
{
    if (m_reported == nullptr) {
        int status = BuildPaperTable(PAPER_TABLE_REPORTED, nullptr, nullptr);
        if (status != 0) {
            return status;
        }
    }
    int slot = 0;
    int status = FindReportedSlot(&reported, &slot, kSlotReported);
    if (status != 0) {
        return status;
    }
    *paperIndex = m_paperIndexes[slot];
    return 0;
}

int CNiraPaperSizeHandler::GetOptionValue(int featureId, int optionId, int* value)
{
    if (m_services == nullptr || value == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int optionIndex = 0;
    int status = m_services->GetOptionValue(featureId, optionId, &optionIndex);
    if (status != 0) {
        return status;
    }
    return GetReportedIndex(optionIndex, value);
}

int CNiraPaperSizeHandler::FindOptionByValue(int featureId, int value, int* optionId)
{
    if (m_services == nullptr || optionId == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int paperIndex = 0;
    int status = GetPaperIndexOfReported(value, &paperIndex);
    if (status != 0) {
        return status;
    }
    return m_services->FindOptionByValue(featureId, paperIndex, optionId);
}

int CNiraPaperSizeHandler::OnCommand(int, int command, int* value, int* result)
{
    if (command == PAPER_COMMAND_GET_SIZE) {
        if (value == nullptr || *value > kLastPaperIndex || result == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        if (m_sizes == nullptr) {
            DWORD count = 0;
            int handled = 0;
            DeviceCapabilities(nullptr, nullptr, DC_PAPERSIZE, nullptr, nullptr, nullptr, 0, &count,
                               &handled);
            void* buffer = Allocate(static_cast<size_t>(count) * sizeof(PaperSize));
            if (buffer != nullptr) {
                DeviceCapabilities(nullptr, nullptr, DC_PAPERSIZE, buffer, nullptr, nullptr, 0, &count,
                                   &handled);
                LocalFree(buffer);
            }
        }
        int slot = 0;
        if (BuildPaperTable(PAPER_TABLE_SIZES, nullptr, nullptr) != 0 ||
            FindPaperSlot(kSlotSizes, *value, &slot) != 0 || m_sizes == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        result[0] = m_sizes[slot].width;
        result[1] = m_sizes[slot].height;
        return 0;
    }
    if (command == PAPER_COMMAND_FIND_BY_SIZE) {
        if (value == nullptr || result == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        return BuildPaperTable(PAPER_TABLE_BY_SIZE, result, value);
    }
    return NIRA_STATUS_FAILED;
}

int CNiraPaperSizeHandler::FindListedOption(int optionId) const
{
    if (!m_options) {
        return -1;
    }
    int listed = m_options->ids.GetCount();
    for (int i = 0; i < listed && i < m_databaseCount; ++i) {
        int* id = m_options->ids.GetAt(i);
        if (id != nullptr && *id == optionId) {
            return i;
        }
    }
    return -1;
}

bool CNiraPaperSizeHandler::SlotOfOption(int optionId, int* slot)
{
    int optionIndex = 0;
    return m_services->GetOptionValue(FEATURE_PAPER_SIZE, optionId, &optionIndex) == 0 &&
           m_slots.Contains(optionIndex) && FindPaperSlot(kSlotSizes, optionIndex, slot) == 0;
}

int CNiraPaperSizeHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr || m_services == nullptr) {
        return E_FAIL;
    }
    int status = E_FAIL;
    XDGuarded([&] {
        MediaSizeValues values = {CXDMediaSizeFeature::kLetterWidth, CXDMediaSizeFeature::kLetterHeight,
                                  CXDString(kDefaultPaperName)};
        CXDPrintTicket ticket(printTicket);
        CXDMediaSizeFeature::ReadPrintTicket(ticket, &values);
        status = LoadPaperTables();
        if (!TablesLoaded() || !m_options) {
            return S_OK;
        }
        LPCWSTR name = values.optionName.GetBuffer();
        for (LPCWSTR c = name; c != nullptr && *c != 0; ++c) {
            if (*c == TEXT(':')) {
                name = c + 1;
                break;
            }
        }
        int listed = m_options->printTicketNames.GetCount();
        for (int i = 0; i < listed && i < m_databaseCount; ++i) {
            CNiraString* vocabMap = m_options->printTicketNames.GetAt(i);
            if (vocabMap != nullptr && name != nullptr && lstrcmpW(vocabMap->GetBuffer(), name) == 0) {
                int feature = FEATURE_PAPER_SIZE;
                int option = *m_options->ids.GetAt(i);
                m_services->SetValue(kPaperOwner, &feature, &option, kReasonByHandler, 0, 0, 0);
                break;
            }
        }
        return S_OK;
    });
    FreePaperTables();
    return status;
}

int CNiraPaperSizeHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr || m_services == nullptr) {
        return E_FAIL;
    }
    int id = FEATURE_PAPER_SIZE;
    FeatureEntry* entry = nullptr;
    int current = 0;
    int isSet = 0;
    int optionIndex = 0;
    int status = m_services->FindFeature(&id, &entry);
    if (status == 0) {
        status = m_services->GetValue(FEATURE_PAPER_SIZE, &current, &isSet);
    }
    if (status == 0) {
        status = m_services->GetOptionValue(FEATURE_PAPER_SIZE, current, &optionIndex);
    }
    if (status != 0 || optionIndex >= kFirstFormIndex) {
        return status;  // custom forms are the paper list's to write
    }
    XDGuarded([&] {
        // Owned: a failure thrown while writing must not pass by the block's release.
        CNiraLocalBuffer<OptionInfo> info = CNiraLocalBuffer<OptionInfo>::Allocate(sizeof(OptionInfo));
        if (!info) {
            return S_OK;
        }
        m_services->GetOptionInfo(FEATURE_PAPER_SIZE, current, info.Get());
        LoadPaperTables();
        int slot = 0;
        // A current option that is not among the listed papers writes nothing.
        if (TablesLoaded() && m_databaseCount > 0 && FindListedOption(current) >= 0 &&
            SlotOfOption(current, &slot)) {
            MediaSizeValues values = {m_sizes[slot].width * kMicronsPerTenthMm,
                                      m_sizes[slot].height * kMicronsPerTenthMm, CXDString(info->vocabMap)};
            CXDPrintTicket ticket(printTicket);
            CXDMediaSizeFeature::WritePrintTicket(ticket, &values);
        }
        return S_OK;
    });
    FreePaperTables();
    return 0;
}

int CNiraPaperSizeHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
{
    if (printCapabilities == nullptr || m_services == nullptr || m_features == nullptr) {
        return E_FAIL;
    }
    HRESULT result = XDGuarded([&]() -> HRESULT {
        CXDPrintCapabilities capabilities(printCapabilities);
        CXDComPtr<IXMLDOMNode> root;
        HRESULT hr = capabilities.SelectSingleNode(TEXT("psf:PrintCapabilities"), &root);
        if (hr != S_OK) {
            return hr;
        }
        LPCWSTR featureName = FeaturePrintTicketName(FEATURE_PAPER_SIZE);
        if (featureName == nullptr || IsNoPrintTicketName(featureName)) {
            return E_FAIL;
        }
        LoadPaperTables();
        if (!TablesLoaded() || !m_options) {
            return E_FAIL;
        }
        hr = capabilities.RemoveFeature(featureName);
        if (FAILED(hr)) {
            return hr;
        }
        CXDComPtr<IXMLDOMElement> feature;
        hr = capabilities.AddFeature(featureName, featureName, &feature);
        if (FAILED(hr)) {
            return hr;
        }
        int listed = m_options->printTicketNames.GetCount();
        for (int i = 0; i < listed && i < m_databaseCount; ++i) {
            CNiraString* vocabMap = m_options->printTicketNames.GetAt(i);
            int slot = 0;
            if (vocabMap == nullptr || IsNoPrintTicketName(vocabMap->GetBuffer())) {
                hr = E_FAIL;
                break;
            }
            if (!SlotOfOption(*m_options->ids.GetAt(i), &slot)) {
                continue;  // a paper without a row of its own has no size to publish
            }
            const WCHAR* name = m_names + static_cast<size_t>(slot) * kPaperNameChars;
            WCHAR text[kPaperNameChars] = {};
            lstrcpynW(text, name, static_cast<int>(SafeWideLength(name) + 1));
            hr = AppendMediaSizeOption(capabilities, feature.Get(), vocabMap->GetBuffer(), text,
                                       m_sizes[slot].width * kMicronsPerTenthMm,
                                       m_sizes[slot].height * kMicronsPerTenthMm);
            if (FAILED(hr)) {
                break;
            }
        }
        CXDComPtr<IXMLDOMNode> appended;
        return root->appendChild(feature.Get(), &appended);
    });
    FreePaperTables();
    return result;
}

HRESULT CNiraPaperSizeHandler::AppendMediaSizeOption(CXDPrintCapabilities& capabilities, IXMLDOMNode* feature,
                                                     LPCWSTR name, LPCWSTR displayName, LONG width,
                                                     LONG height)
{
    CXDComPtr<IXMLDOMElement> option;
    CXDComPtr<IXMLDOMElement> property;
    CXDComPtr<IXMLDOMElement> widthProperty;
    CXDComPtr<IXMLDOMElement> heightProperty;
    HRESULT hr = capabilities.AddOption(name, nullptr, 0, &option);
    if (SUCCEEDED(hr)) {
        hr = capabilities.SetPropertyValue(kPrintCapabilitiesDisplayNameProperty, XDVocabulary::kString,
                                           displayName, &property);
    }
    if (SUCCEEDED(hr)) {
        hr = capabilities.SetScoredPropertyInteger(kMediaSizeWidth, width, &widthProperty);
    }
    if (SUCCEEDED(hr)) {
        hr = capabilities.SetScoredPropertyInteger(kMediaSizeHeight, height, &heightProperty);
    }
    CXDComPtr<IXMLDOMNode> appended;
    for (IXMLDOMElement* child : {property.Get(), widthProperty.Get(), heightProperty.Get()}) {
        if (SUCCEEDED(hr) && child != nullptr) {
            hr = option->appendChild(child, &appended);
        }
    }
    if (SUCCEEDED(hr)) {
        hr = feature->appendChild(option.Get(), &appended);
    }
    return hr;
}
