// The base of every feature handler, and the whole handler of a class id without a class of its
// own. Most operations do nothing; what the base does do is convert the features it serves between
// the settings and a PrintTicket or PrintCapabilities, driven by the PrintTicket names that the
// capability database gives each feature and option ("0" meaning: no PrintTicket form).
#pragma once

#include <windows.h>

#include <memory>

#include "nira/uiplugin/foundation/containers/NiraChunkArray.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"

class CXDPrintSchemaDocument;

class CNiraFeatureHandler : public INiraFeatureHandler {
public:
    CNiraFeatureHandler();
    ~CNiraFeatureHandler() override;
    CNiraFeatureHandler(const CNiraFeatureHandler&) = delete;
    CNiraFeatureHandler& operator=(const CNiraFeatureHandler&) = delete;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int Detach() override;
    int AddFeature(int featureId) override;
    int OnAttached() override;
    int InitializeStates() override;
    int OnFeaturesEnumerated() override;
    int Reserved7() override;
    int Reserved8() override;
    int GetOptionValue(int featureId, int optionId, int* value) override;
    int FindOptionByValue(int featureId, int value, int* optionId) override;
    int Reserved11(int a, int b, int c, int d) override;
    int Reserved12(int a, int b, int c, int d) override;
    HRESULT OnDocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in, ULONG outSize,
                            PVOID out, PINT result, DEVMODEW* devMode) override;
    int OnPublicDevMode(DEVMODEW* publicDevMode) override;
    int Reserved15(int a) override;
    HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                               DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result,
                               int* handled) override;
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnValueDiffers() override;
    int OnWidgetChanged(int widgetId) override;
    int OnFeatureChanged(int featureId, int changeKind) override;
    int OnFeatureNotify(int featureId) override;
    int PaintWidget(int widgetId, HWND window, INT_PTR extra) override;
    int OnWidgetCommand(int widgetId) override;
    int OnConstraintMessage(int featureId, const char* data1, const char* data2, const char* data3,
                            int* show) override;
    int OnConstraintAction(int featureId, const char* data1, const char* data2, const char* data3) override;
    int LoadResourceString(int stringId, WCHAR* buffer) override;

    int GetHandlerId() const { return m_handlerId; }
    INiraCoreServices* GetServices() const { return m_services; }
    // The feature ids served, newest first (null before Attach or the first AddFeature).
    const CNiraPtrList* GetFeatures() const { return m_features; }

protected:
    // The options of the feature being converted, in the order the option walk delivered them:
    // entry i of every table describes the same option.
    struct OptionTables {
        CNiraChunkArray<CNiraString> namespaces;
        CNiraChunkArray<CNiraString> printTicketNames;
        CNiraChunkArray<int> ids;
        CNiraChunkArray<CNiraString> displayNames;
    };

    // Starts the tables afresh and fills them from the core services' option walk of the feature.
    void WalkOptions(int featureId);
    // The feature's PrintTicket name (its vocabulary's VocabMap), or null without one.
    LPCWSTR FeaturePrintTicketName(int featureId);

    INiraCoreServices* m_services;
    CNiraPtrList* m_features;
    int m_handlerId;
    std::unique_ptr<OptionTables> m_options;
    int m_currentFeature;

private:
    static int OnOption(int index, int optionId, int optionIndex, WCHAR* displayName, void* userData);
    int ReadFeatureFromTicket(CXDPrintSchemaDocument& ticket, int featureId);
    int WriteFeatureToTicket(CXDPrintSchemaDocument& ticket, IXMLDOMNode* root, int featureId);
    int WriteFeatureCapabilities(class CXDPrintCapabilities& capabilities, IXMLDOMNode* root, int featureId,
                                 int position);
};

// The text a PrintTicket name of "0" stands for: the feature or option has no PrintTicket form.
bool IsNoPrintTicketName(LPCWSTR name);
