// CNiraCheckedSettingsAccess: the settings operations of a client of the settings engine, each
// checked before it reaches the client's settings manager: an index beyond the last of its array
// kind or a missing pointer is refused (87) and a missing manager (13), both answered as FALSE,
// without calling the manager; otherwise the manager's answer is passed on. The clients make,
// attach and release the manager themselves.
#pragma once

#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"

class CNiraCheckedSettingsAccess : public INiraSettingsAccess {
public:
    BOOLEAN UpdateFromPullProviders() override;
    BOOLEAN UpdateFromPushProviders() override;

    BOOLEAN GetFlag(LONG index, BYTE* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetByte(LONG index, BYTE* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetWord(LONG index, WORD* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetInt(LONG index, LONG* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetFloat(LONG index, FLOAT* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetDouble(LONG index, double* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetIntRef(LONG index, LONG* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetString(LONG index, CNiraString** copy, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetBlob(LONG index, BYTE** copy, DWORD* length, BYTE refresh, BYTE dispatch) override;

    BOOLEAN SetFlag(LONG index, BYTE value, BYTE notify) override;
    BOOLEAN SetByte(LONG index, BYTE value, BYTE notify) override;
    BOOLEAN SetWord(LONG index, WORD value, BYTE notify) override;
    BOOLEAN SetInt(LONG index, LONG value, BYTE notify) override;
    BOOLEAN SetFloat(LONG index, FLOAT value, BYTE notify) override;
    BOOLEAN SetDouble(LONG index, double value, BYTE notify) override;
    BOOLEAN SetIntRef(LONG index, const LONG* value, BYTE notify) override;
    BOOLEAN SetString(LONG index, const CNiraString* value, BYTE notify) override;
    BOOLEAN SetBlob(LONG index, const BYTE* data, DWORD length, BYTE notify) override;

    void ReleaseString(CNiraString* copy) override;
    void ReleaseBlob(BYTE* copy) override;

    BOOLEAN IsFlagPresent(LONG index) override { return IsPresent(SETTING_ARRAY_FLAG, index); }
    BOOLEAN IsBytePresent(LONG index) override { return IsPresent(SETTING_ARRAY_BYTE, index); }
    BOOLEAN IsWordPresent(LONG index) override { return IsPresent(SETTING_ARRAY_WORD, index); }
    BOOLEAN IsIntPresent(LONG index) override { return IsPresent(SETTING_ARRAY_INT, index); }
    BOOLEAN IsFloatPresent(LONG index) override { return IsPresent(SETTING_ARRAY_FLOAT, index); }
    BOOLEAN IsDoublePresent(LONG index) override { return IsPresent(SETTING_ARRAY_DOUBLE, index); }
    BOOLEAN IsIntRefPresent(LONG index) override { return IsPresent(SETTING_ARRAY_INT_REF, index); }
    BOOLEAN IsStringPresent(LONG index) override { return IsPresent(SETTING_ARRAY_STRING, index); }
    BOOLEAN IsBlobPresent(LONG index) override { return IsPresent(SETTING_ARRAY_BLOB, index); }

    INiraSettingsStore* GetStore() override;
    BOOLEAN IsHandled(LONG kind, LONG index) override;

protected:
    // Raises 13 without a manager.
    void RequireManager() const;

    INiraSettingsAccess* m_manager = nullptr;

private:
    BOOLEAN IsPresent(LONG kind, LONG index);
};
