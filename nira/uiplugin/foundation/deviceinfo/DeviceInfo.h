// Device information a printer reports back to the driver (serial number, installed duplex unit,
// a model-specific value): the provider interface, its do-nothing base, and the query codes
// callers pass.
#pragma once

#include <windows.h>

// Operations in slot order. A query the provider answered returns 1; a query of another kind 0.
class INiraDeviceInfo {
public:
    virtual ~INiraDeviceInfo() = default;
    // Fetches the device's information again.
    virtual int Refresh(HANDLE printer) = 0;
    virtual int Reserved2(void* first, void* second, void* third) = 0;
    virtual int QueryFeature(int queryCode, int* handled, int* value) = 0;
    virtual int QueryDuplexUnit(int queryCode, int* value) = 0;
    virtual int Reserved5(void* first, void* second, void* third, void* fourth) = 0;
    virtual int Reserved6(void* first, void* second, void* third) = 0;
};

// Answers nothing; the providers override what they fetch.
class CNiraDeviceInfoBase : public INiraDeviceInfo {
public:
    CNiraDeviceInfoBase() : m_reserved1(nullptr), m_reserved2(nullptr) {}
    int Refresh(HANDLE printer) override;
    int Reserved2(void* first, void* second, void* third) override;
    int QueryFeature(int queryCode, int* handled, int* value) override;
    int QueryDuplexUnit(int queryCode, int* value) override;
    int Reserved5(void* first, void* second, void* third, void* fourth) override;
    int Reserved6(void* first, void* second, void* third) override;

private:
    [[maybe_unused]] void* m_reserved1;  // kept for the record layout; no operation reads them
    [[maybe_unused]] void* m_reserved2;
};

// What a query code asks for.
enum DeviceQueryKind : int {
    DEVICE_QUERY_NONE = 0,
    DEVICE_QUERY_DUPLEX_UNIT = 5,
    DEVICE_QUERY_FEATURE = 6,
};

// The query kind of a code (DeviceQueryCodeTable); DEVICE_QUERY_NONE for a code not listed.
// Codes 1 to 4 have kinds 1 to 4, which no provider answers.
int FindDeviceQueryKind(int queryCode);
