// The handler of the printer services pop-up (class 4260): on command 30 it shows the pop-up that
// the capability table FDT6383 names; inside it, it checks the five pen codes the user types
// (widgets 6524 to 6528), shows their check number (widget 6529) and enables the send widget once
// all five are filled; when a constraint rule asks for it, it sends the codes to the printer as the
// RAW job "ZQSupportRegionalPenQuery" and empties the fields.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraPrinterAccess;
class INiraFeatureDatabase;

class CNiraPrinterStatusHandler : public CNiraFeatureHandler {
public:
    static constexpr int kCodeFields = 5;
    static constexpr int kFirstCodeField = 6524;
    static constexpr int kCheckField = 6529;
    static constexpr size_t kCodeChars = 260;
    static constexpr size_t kContainerChars = 130;

    CNiraPrinterStatusHandler();
    ~CNiraPrinterStatusHandler() override;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnWidgetChanged(int widgetId) override;
    int OnConstraintAction(int featureId, const char* data1, const char* data2, const char* data3) override;

    // CRC-16/ARC of the low bytes of the text's units; a result of 0 gives -1.
    static int CheckNumber(LPCWSTR text);
    // The pen query job's bytes for the codes (joined in field order).
    static bool MakePenQueryJob(LPCWSTR codes, char** bytes, size_t* length);

    int MessageId() const { return m_messageId; }
    LPCWSTR ContainerName() const { return m_containerName; }
    LPCWSTR Code(int field) const { return m_codes[field]; }

private:
    static int OnServicesRow(void* argument, int columns, char** values, char** names);
    bool OpenPrinterAccess();
    void CheckCode(int field);
    void ClearCodes();
    void SetSendState(int state);

    INiraFeatureDatabase* m_database = nullptr;
    CNiraPrinterAccess* m_printer = nullptr;
    HANDLE m_printerHandle = nullptr;
    int m_messageId = 0;
    WCHAR m_containerName[kContainerChars] = {};
    WCHAR m_codes[kCodeFields][kCodeChars] = {};
};
