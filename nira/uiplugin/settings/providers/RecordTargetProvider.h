// What the providers that write a record of the graphics engine share: the owner they read, the
// mask of the entries whose rules they apply, the record given by SetTarget, and the answers of
// the Syncs of kinds without a rule.
#pragma once

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"

// The owner's flag; a read the owner refuses counts as false.
inline bool ReadOwnerFlag(INiraSettingsAccess& owner, LONG index)
{
    BYTE value = 0;
    return owner.GetFlag(index, &value, 0, 0) == TRUE && value == 1;
}

// A copy of the owner's string in text; false, with text unchanged, when the owner refuses it.
inline bool ReadOwnerText(INiraSettingsAccess& owner, LONG index, CNiraString& text)
{
    CNiraString* copy = nullptr;
    if (owner.GetString(index, &copy, 0, 0) != TRUE || copy == nullptr) {
        return false;
    }
    try {
        text.Assign(*copy);
    } catch (...) {
        owner.ReleaseString(copy);
        throw;
    }
    owner.ReleaseString(copy);
    return true;
}

template <typename Record>
class CNiraRecordTargetProvider : public CNiraMaskedProvider {
public:
    ~CNiraRecordTargetProvider() override
    {
        GuardSettingsAction([this] { ReleaseAll(); });
    }
    CNiraRecordTargetProvider(const CNiraRecordTargetProvider&) = delete;
    CNiraRecordTargetProvider& operator=(const CNiraRecordTargetProvider&) = delete;

    // Drops everything held, keeps the owner and makes the mask of the provider's entries.
    BOOLEAN Attach(INiraSettingsAccess* owner) override
    {
        return GuardSettingsCall([&] {
            ReleaseAll();
            RequireArgument(owner != nullptr);
            m_owner = owner;
            m_handledMask = MakeAllocatedMask();
            for (int i = 0; i < m_entryCount; ++i) {
                MarkMaskEntry(*m_handledMask, m_entries[i].kind, m_entries[i].index);
            }
        });
    }

    // Applies the rule of every entry, in table order; the answers of the rules are not looked at.
    BOOLEAN UpdateAll() override
    {
        return GuardSettingsCall([&] {
            RequireSettings(m_owner != nullptr);
            for (int i = 0; i < m_entryCount; ++i) {
                SyncProviderEntry(*this, m_entries[i].kind, m_entries[i].index);
            }
        });
    }

    BOOLEAN SyncFlag(LONG index) override { return SyncWithoutRule(SETTING_ARRAY_FLAG, index); }
    BOOLEAN SyncByte(LONG index) override { return SyncWithoutRule(SETTING_ARRAY_BYTE, index); }
    BOOLEAN SyncWord(LONG index) override { return SyncWithoutRule(SETTING_ARRAY_WORD, index); }
    BOOLEAN SyncInt(LONG index) override { return SyncWithoutRule(SETTING_ARRAY_INT, index); }
    BOOLEAN SyncFloat(LONG index) override { return SyncWithoutRule(SETTING_ARRAY_FLOAT, index); }
    BOOLEAN SyncDouble(LONG index) override { return SyncWithoutRule(SETTING_ARRAY_DOUBLE, index); }
    BOOLEAN SyncIntRef(LONG index) override { return SyncWithoutRule(SETTING_ARRAY_INT_REF, index); }
    BOOLEAN SyncString(LONG index) override { return SyncWithoutRule(SETTING_ARRAY_STRING, index); }
    BOOLEAN SyncBlob(LONG index) override { return SyncWithoutRule(SETTING_ARRAY_BLOB, index); }

    // The record the rules write, borrowed; each class applies its rules of the moment here.
    virtual BOOLEAN SetTarget(Record* record) = 0;

    // Forgets owner, mask and record without releasing anything.
    virtual void ProviderReset()
    {
        m_owner = nullptr;
        m_handledMask = nullptr;
        m_target = nullptr;
    }

    // Releases the mask, then forgets everything.
    virtual void ReleaseAll()
    {
        ReleaseSettingsObject(m_handledMask);
        ProviderReset();
    }

protected:
    // entries: the handled entries in the order UpdateAll applies their rules; not copied.
    CNiraRecordTargetProvider(const SettingRef* entries, int count) : m_entries(entries), m_entryCount(count)
    {}

    // The start of SetTarget: throws 87 for a null record and 13 without an owner; keeps the record.
    void KeepTarget(Record* record)
    {
        RequireArgument(record != nullptr);
        RequireSettings(m_owner != nullptr);
        m_target = record;
    }

    // A Sync whose rule runs once the entry is handled (87 otherwise) and owner and record are
    // present (13 otherwise). From then on the answer is true: a rule that fails midway (an owner
    // that cannot give a value) leaves the fields it had not written unchanged.
    template <typename Rule>
    BOOLEAN SyncRule(LONG kind, LONG index, Rule&& rule)
    {
        const BOOLEAN checked = GuardSettingsCall([&] {
            RequireArgument(Handles(kind, index));
            RequireSettings(m_owner != nullptr && m_target != nullptr);
        });
        if (checked != TRUE) {
            return FALSE;
        }
        GuardSettingsAction(rule);
        return TRUE;
    }

    // A Sync of an entry without a rule: nothing is written; the answer is whether the entry is
    // handled, with an owner present.
    BOOLEAN SyncWithoutRule(LONG kind, LONG index)
    {
        return GuardSettingsAnswer([&] {
            RequireSettings(m_owner != nullptr);
            return Handles(kind, index);
        });
    }

    INiraSettingsAccess* m_owner = nullptr;  // borrowed
    Record* m_target = nullptr;              // borrowed

private:
    const SettingRef* m_entries;
    int m_entryCount;
};
