// The handler of the paper size (class 4114, and the base of the paper list handler, class 4233):
// the papers of table FDT4114 as the DeviceCapabilities tables DC_PAPERS, DC_PAPERSIZE and
// DC_PAPERNAMES, the paper option to and from the DEVMODE paper number, PageMediaSize in
// PrintTickets and PrintCapabilities, and two commands: the size of a paper and the paper of a
// size.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

class CXDPrintCapabilities;

enum PaperTableKind {
    PAPER_TABLE_COUNT = 0,
    PAPER_TABLE_PAPERS = 1,
    PAPER_TABLE_NAMES = 2,
    PAPER_TABLE_SIZES = 3,
    PAPER_TABLE_BY_SIZE = 4,
    PAPER_TABLE_REPORTED = 5,
};

constexpr int PAPER_COMMAND_GET_SIZE = 10;
constexpr int PAPER_COMMAND_FIND_BY_SIZE = 23;

// The length of a text in characters, 0 for null.
size_t SafeWideLength(const WCHAR* text);

class CNiraPaperSizeHandler : public CNiraFeatureHandler {
public:
    static constexpr int kFirstPaperIndex = 256;
    static constexpr int kLastPaperIndex = 500;
    static constexpr size_t kPaperNameChars = 64;
    static constexpr int kNotListed = 0x20000021;

    struct PaperSize {
        LONG width;  // tenths of a millimetre
        LONG height;
    };

    CNiraPaperSizeHandler();
    ~CNiraPaperSizeHandler() override;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int InitializeStates() override;
    int GetOptionValue(int featureId, int optionId, int* value) override;
    int FindOptionByValue(int featureId, int value, int* optionId) override;
    HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                               DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result,
                               int* handled) override;
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;

    int EnsurePaperCount(int* count);
    int AddExtraPaperCount(int n);
    int GetPaperCount(int* count);
    int BuildPaperTable(int kind, void* target, const int* size);
    int LoadPaperTables();
    int FreePaperTables();
    void ResetPaperSlots();
    int GetPaperSlot(int slotKind, int paperIndex, int* slot);
    int FindPaperSlot(int slotKind, int paperIndex, int* slot);
    int GetReportedIndex(int paperIndex, int* reported);
    int GetPaperIndexOfReported(int reported, int* paperIndex);
    int FindReportedSlot(const int* reported, int* slot, int slotKind);

    const WORD* Papers() const { return m_papers; }
    const WCHAR* PaperNames() const { return m_names; }
    const PaperSize* Sizes() const { return m_sizes; }

protected:
    static constexpr int kSlotKinds = 4;

    // Appends to the PageMediaSize feature an option with its display name and its size in
    // micrometres.
    static HRESULT AppendMediaSizeOption(CXDPrintCapabilities& capabilities, IXMLDOMNode* feature,
                                         LPCWSTR name, LPCWSTR displayName, LONG width, LONG height);

    int StorePaperRow(int kind, int paperIndex, LPCSTR value);
    int StorePaperSize(int paperIndex, LPCSTR dimX, LPCSTR dimY);
    static int OnPaperRow(void* context, int columns, char** values, char** names);
    static int OnPaperOption(int index, int optionId, int optionIndex, WCHAR* displayName, void* handler);
    // The slot of the paper that an option shows, through its paper index; false when it has none.
    bool SlotOfOption(int optionId, int* slot);
    bool TablesLoaded() const { return m_papers != nullptr && m_names != nullptr && m_sizes != nullptr; }
    int FindListedOption(int optionId) const;

    INiraFeatureDatabase* m_database = nullptr;
    WCHAR* m_names = nullptr;
    WORD* m_papers = nullptr;
    PaperSize* m_sizes = nullptr;
    int m_ownId = 0;
    CNiraIdMap m_slots;
    int m_lastRow[kSlotKinds] = {-1, -1, -1, -1};
    size_t m_papersBytes = 0;
    size_t m_namesBytes = 0;
    size_t m_sizesBytes = 0;
    INT* m_reported = nullptr;
    INT* m_paperIndexes = nullptr;
    CNiraPtrList m_selectionHistory;
    CNiraPtrList m_formHistory;
    int m_count = 0;
    int m_databaseCount = 0;
    int m_extraCount = 0;
};
