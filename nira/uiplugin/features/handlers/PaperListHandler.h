// The handler of the paper list (class 4233), which owns the paper size in the capability
// database. Beside the database papers it offers the user's custom forms (stored by the custom
// size editor in the user's registry) as options 501 and up of the paper size, keeps the
// DeviceCapabilities tables, PrintTickets and PrintCapabilities in step with them, publishes the
// size and margins of a chosen form as ten one-option features, answers the editor's commands
// about forms and limits, and keeps a short list of recently chosen papers.
#pragma once

#include <vector>

#include "nira/uiplugin/features/handlers/CustomForms.h"
#include "nira/uiplugin/features/handlers/PaperSizeHandler.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"

// Commands the paper list answers besides those of the paper size handler.
constexpr int PAPER_COMMAND_ADD_FORM = 12;
constexpr int PAPER_COMMAND_REMOVE_FORM = 13;
constexpr int PAPER_COMMAND_SELECT_FORM = 14;
constexpr int PAPER_COMMAND_GET_CUSTOM_LIMITS = 15;
constexpr int PAPER_COMMAND_RESTORE_SELECTION = 17;
constexpr int PAPER_COMMAND_GET_TABLE_SIZE = 20;
constexpr int PAPER_COMMAND_NEXT_FORM_INDEX = 33;
constexpr int PAPER_COMMAND_GET_FORM_SIZE = 38;

class CNiraPaperListHandler : public CNiraPaperSizeHandler {
public:
    static constexpr int kHeadingOption = 999;
    static constexpr int kMarginValues = 10;
    // The features that show a chosen form's size and margins, in publication order.
    static const int kMarginFeatures[kMarginValues];

    CNiraPaperListHandler();
    ~CNiraPaperListHandler() override;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int Detach() override;
    int InitializeStates() override;
    int OnFeaturesEnumerated() override;
    int GetOptionValue(int featureId, int optionId, int* value) override;
    int FindOptionByValue(int featureId, int value, int* optionId) override;
    HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                               DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result,
                               int* handled) override;
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnWidgetChanged(int widgetId) override;
    int OnFeatureChanged(int featureId, int changeKind) override;

    int LoadCustomForms();
    // Takes the form (LocalAlloc) as an option of the paper size; the handler owns it from then on.
    int AddCustomForm(CustomForm* form);
    int AppendCustomForms(int kind, void* output);
    int LoadCustomMargins();
    int RememberPreviousOption(int featureId);
    int ApplyFormBorderless(int paperIndex);

    const CustomForm* Form(int paperIndex) const;
    int FormCount() const { return m_forms.GetCount(); }
    int NextFormIndex() const { return m_nextFormIndex; }

private:
    struct FormEntry {
        CNiraString name;
        LONG width;  // micrometres
        LONG height;
    };

    // The forms' paper indexes, lowest first.
    std::vector<LONG> FormIndexes() const;
    void FreeForms();
    int RemoveForm(int paperIndex);
    int GetCustomLimits(int* limits);
    int SelectPaper(int option, int reason);
    int CurrentOption(int featureId);
    // The forms as the PrintTicket operations see them, lowest paper index first.
    std::vector<FormEntry> CollectCustomForms();
    bool OpenPrinterAccess(class CNiraPrinterAccess** access);
    static int OnLimitRow(void* context, int columns, char** values, char** names);
    static int OnMarginRow(void* context, int columns, char** values, char** names);
    void PublishMargins(const double* columns);

    int m_nextFormIndex = kNoFormIndex;
    CNiraIdMap m_forms;  // paper index -> CustomForm (LocalAlloc, owned)
    int m_needsHeading = 1;
};
