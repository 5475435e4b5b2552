// The query object over the capability database that the UI core hands to every feature handler;
// handlers look up their per-feature tables "FDT" + feature id through it.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/databases/DatabaseCopy.h"
#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"

// Room that an output of MakeTableName must have, in characters.
constexpr int kFeatureTableNameSize = 20;

class INiraFeatureDatabase {
public:
    virtual ~INiraFeatureDatabase() = default;
    // Stores a value that the object keeps for its caller (handlers pass the feature id of the
    // table they are about to query); nothing in the object reads it.
    virtual LONG SetMode(INT value) = 0;
    virtual LONG ClearMode(INT ignored) = 0;
    // Runs the statement with the kept callback; 0, or NIRA_STATUS_FAILED when it failed.
    virtual LONG Execute(LPCSTR sql) = 0;
    // "FDT" followed by the id formatted "%4u"; name must hold kFeatureTableNameSize characters.
    virtual LONG MakeTableName(UINT featureId, LPWSTR name) = 0;
    virtual LONG Reserved5() = 0;
    virtual LONG SetCallback(NiraQueryRowCallback callback, void* argument) = 0;
    virtual LONG GetResult(char** errorText, INT* result) = 0;
    virtual LONG FreeError() = 0;
};

class CNiraFeatureDatabase : public INiraFeatureDatabase {
public:
    // With a path, opens a temporary copy of that database; without one there is no database.
    explicit CNiraFeatureDatabase(LPCWSTR path);
    // Runs the statements on a copy that another reader owns and keeps open (the capability
    // reader's), so that the database is copied and its schema read once; the copy must outlive
    // this object.
    explicit CNiraFeatureDatabase(CNiraDatabaseCopy& shared);
    ~CNiraFeatureDatabase() override;
    CNiraFeatureDatabase(const CNiraFeatureDatabase&) = delete;
    CNiraFeatureDatabase& operator=(const CNiraFeatureDatabase&) = delete;

    LONG SetMode(INT value) override;
    LONG ClearMode(INT ignored) override;
    LONG Execute(LPCSTR sql) override;
    LONG MakeTableName(UINT featureId, LPWSTR name) override;
    LONG Reserved5() override;
    LONG SetCallback(NiraQueryRowCallback callback, void* argument) override;
    LONG GetResult(char** errorText, INT* result) override;
    LONG FreeError() override;

    INT GetMode() const { return m_mode; }

private:
    INT OpenResult();

    CNiraDatabaseCopy m_ownCopy;  // the copy of a path given at construction
    CNiraDatabaseCopy* m_copy;    // the copy the statements run on; null without a database
    INT m_lastResult;
    char* m_errorText;
    INT m_mode;
    NiraQueryRowCallback m_callback;
    void* m_callbackArg;
};
