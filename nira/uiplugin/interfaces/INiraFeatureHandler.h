// A feature handler as the UI core, the UI sink and the constraint engine see it: the object that
// answers for the features of one handler class. The slot order is a contract: every operation,
// the reserved ones included, keeps its place. Status results are 0 or NIRA_STATUS_FAILED; the
// DocumentEvent and DeviceCapabilities operations answer HRESULTs.
#pragma once

#include <windows.h>

#include <msxml2.h>

class INiraCoreServices;
class INiraFeatureDatabase;

class INiraFeatureHandler {
public:
    virtual ~INiraFeatureHandler() = default;  // 0
    virtual int Attach(INiraCoreServices* services, int handlerId,
                       INiraFeatureDatabase* database) = 0;  // 1
    virtual int Detach() = 0;                                // 2
    // NIRA_STATUS_FAILED tells the UI core that the feature is not bound to this handler.
    virtual int AddFeature(int featureId) = 0;                                   // 3
    virtual int OnAttached() = 0;                                                // 4
    virtual int InitializeStates() = 0;                                          // 5
    virtual int OnFeaturesEnumerated() = 0;                                      // 6
    virtual int Reserved7() = 0;                                                 // 7
    virtual int Reserved8() = 0;                                                 // 8
    virtual int GetOptionValue(int featureId, int optionId, int* value) = 0;     // 9
    virtual int FindOptionByValue(int featureId, int value, int* optionId) = 0;  // 10
    virtual int Reserved11(int a, int b, int c, int d) = 0;                      // 11
    virtual int Reserved12(int a, int b, int c, int d) = 0;                      // 12
    virtual HRESULT OnDocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in, ULONG outSize,
                                    PVOID out, PINT result,
                                    DEVMODEW* devMode) = 0;    // 13
    virtual int OnPublicDevMode(DEVMODEW* publicDevMode) = 0;  // 14
    virtual int Reserved15(int a) = 0;                         // 15
    // A handler that answers sets *handled to 1 and returns S_DEVCAP_OUTPUT_FULL_REPLACEMENT.
    virtual HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                                       DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult,
                                       DWORD* result,
                                       int* handled) = 0;             // 16
    virtual int ReadPrintTicket(IXMLDOMDocument2* printTicket) = 0;   // 17
    virtual int WritePrintTicket(IXMLDOMDocument2* printTicket) = 0;  // 18
    virtual int WritePrintCapabilities(IXMLDOMDocument2* printTicket,
                                       IXMLDOMDocument2* printCapabilities) = 0;           // 19
    virtual int OnCommand(int sourceFeatureId, int command, int* value, int* result) = 0;  // 20
    virtual int OnValueDiffers() = 0;                                                      // 21
    virtual int OnWidgetChanged(int widgetId) = 0;                                         // 22
    virtual int OnFeatureChanged(int featureId, int changeKind) = 0;                       // 23
    virtual int OnFeatureNotify(int featureId) = 0;                                        // 24
    // The extra value is pointer-sized: the presentation library passes its module handle.
    virtual int PaintWidget(int widgetId, HWND window, INT_PTR extra) = 0;  // 25
    virtual int OnWidgetCommand(int widgetId) = 0;                          // 26
    // The three texts are the constraint action's data, narrow as the constraint database holds them.
    virtual int OnConstraintMessage(int featureId, const char* data1, const char* data2, const char* data3,
                                    int* show) = 0;  // 27
    virtual int OnConstraintAction(int featureId, const char* data1, const char* data2,
                                   const char* data3) = 0;            // 28
    virtual int LoadResourceString(int stringId, WCHAR* buffer) = 0;  // 29
};
