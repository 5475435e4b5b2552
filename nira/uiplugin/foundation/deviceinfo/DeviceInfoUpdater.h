// Fetches device information from a network printer through the driver package's device servers
// and stores the answers in the current user's registry (HKCU "Software\Norvell-Ashby\<printer
// GUID>\ZQBIDIInfo"), where the feature handlers read them. The values to ask come from the PML
// object-id list the driver INI names. While it works, the updater makes sure the servers are
// registered, and unregisters afterwards what it registered. No operation throws.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/xml/PmlOidXml.h"

class CNiraPrinterAccess;
struct IUnknown;
struct INiraMgmtConnection;
struct INiraMgmtRequest;

class CNiraDeviceInfoUpdater {
public:
    // Borrows the printer handle and the printer access (which must outlive the updater).
    CNiraDeviceInfoUpdater(HANDLE printer, CNiraPrinterAccess* access);
    virtual ~CNiraDeviceInfoUpdater();
    CNiraDeviceInfoUpdater(const CNiraDeviceInfoUpdater&) = delete;
    CNiraDeviceInfoUpdater& operator=(const CNiraDeviceInfoUpdater&) = delete;

    // Initialises COM (multithreaded) on the calling thread, sets the process's COM security and
    // opens the printer with full access for the update. TRUE when ready.
    BOOL Open();
    // Asks the device for every listed value; TRUE when a complete answer set was stored and
    // "DevSetUpdate" written. skipServerCheck: not 0 to rely on servers already registered.
    BOOL Update(int skipServerCheck);
    // installed: 0 when the stored "prtMediaPathType2" says no duplex path, else 1. TRUE when the
    // stored value could be read.
    BOOL GetDuplexUnit(int* installed);

    static constexpr int kServerFileCount = 7;
    static constexpr DWORD kServerPathChars = 256;
    static constexpr DWORD kPrinterNameChars = 256;
    static constexpr int kMaxRequestEntries = 20;

protected:
    // The object ids to ask (the list the driver INI names under NIRA_PMLOID_XML), in list order;
    // null when there are none. The list is freed with CNiraPmlOidXml::FreeList.
    virtual PmlOidEntry* ReadObjectIds();

private:
    enum AnswerPass { kWritePlaceholders = 0, kCheckAnswers = 1 };

    // The per-printer GUID.
    void EnsurePrinterGuid();
    BOOL HasGuid();
    BOOL CreateGuid(LPWSTR guid, DWORD capacity);
    BOOL WriteGuid(LPCWSTR guid);
    BOOL ReadGuid(LPWSTR guid, DWORD capacity);
    BOOL GetAnswerKeyPath(LPWSTR path, DWORD capacity);

    // The device servers.
    BOOL CheckServerFiles();
    BOOL FindDependentFile(LPCWSTR dependentFiles, LPCWSTR name, LPWSTR path);
    BOOL HasDependentFile(int file) const;
    BOOL ResolveServerPath(int file, LPWSTR path, DWORD capacity);
    BOOL EnsureServers();
    BOOL RegisterServerDll(int file, BOOL registerIt);
    BOOL UnregisterServers();
    // Unregisters what this update registered; FALSE when something stays registered.
    BOOL ReleaseServers();
    int TestDeviceStatusSupport();

    // The answers.
    BOOL ResetAnswers(const PmlOidEntry* list, AnswerPass pass);
    // FALSE when the device could not be asked or an answer not stored; *answered: TRUE when the
    // device answered at least one of the listed object ids.
    BOOL QueryDevice(const PmlOidEntry* list, BOOL* answered);
    // Asks for the chunk and stores its answers, adding to *answers the entries answered.
    BOOL SendRequest(INiraMgmtConnection* connection, INiraMgmtRequest* request, const PmlOidEntry* first,
                     int count, int* answers, BOOL* memorySizeFailed);
    BOOL AskMemorySizeAgain(INiraMgmtConnection* connection, INiraMgmtRequest* request, int* answers);
    // Stores the answer at index under name (none: only taken), counted in *answers.
    BOOL TakeAnswer(INiraMgmtRequest* request, int index, LPCWSTR name, int* answers);
    BOOL StoreAnswer(LPCWSTR name, const BYTE* data, DWORD length, BYTE type);
    BOOL WriteAnswer(LPCWSTR name, DWORD type, const BYTE* data, DWORD size);
    BOOL WriteAnswerText(LPCWSTR name, DWORD type, LPCWSTR text, DWORD chars);
    BOOL ReadAnswerValue(LPCWSTR name, BYTE** data, DWORD* size, DWORD* type);

    HANDLE m_printer;
    CNiraPrinterAccess* m_access;
    WCHAR m_printerName[kPrinterNameChars];
    HANDLE m_openedPrinter;    // the handle Open opened, closed by the updater
    int m_comInitializations;  // successful CoInitializeEx calls of Open, undone at destruction
    int m_serverFlags;
    LPWSTR m_serverPaths;  // kServerFileCount buffers of kServerPathChars during an update
};
