// The handler of the support information page (class 4231): it fills three lists with lines, the
// driver and the UI plug-in's version (widget 6054), one line per file of the printer driver with
// its version or date (widget 6055) and the printer's configuration status with its dates (widget
// 6056). When a setting differs from its default it records the time as the printer data
// "NotifyDate" and builds the status list again.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraPrinterAccess;

class CNiraSupportInfoHandler : public CNiraFeatureHandler {
public:
    static constexpr int kDriverList = 6054;
    static constexpr int kFileList = 6055;
    static constexpr int kStatusList = 6056;
    static constexpr size_t kLineChars = 260;

    int InitializeStates() override;
    int OnValueDiffers() override;

    // The file's version ("a.b.c.d" of its file or product version), or else its last-write date
    // ("month.day.year"); empty when neither can be read.
    static void ReadFileVersionText(LPCWSTR path, bool productVersion, WCHAR (&text)[kLineChars]);
    // A stored UTC time "MM/DD/YYYY:hh:mm:ss" as the user's short date in local time; the stored
    // text itself when it cannot be formatted.
    static void FormatStoredDate(LPCWSTR stored, WCHAR (&text)[kLineChars]);
    // The user's short date with one-digit fields padded and "/" between the fields.
    static bool FormatDate(const SYSTEMTIME& date, WCHAR (&text)[kLineChars]);

private:
    void AddLine(int widgetId, LPCWSTR line);
    void AddDriverLine(LPCWSTR printerName, const DRIVER_INFO_3W& driver);
    void AddFileLines(const DRIVER_INFO_3W& driver);
    void AddFileLine(LPCWSTR path);
    void AddStatusLines(CNiraPrinterAccess& printer);
    void AddStringLine(int stringId, LPCWSTR date);

    bool m_printerFound = false;
};
