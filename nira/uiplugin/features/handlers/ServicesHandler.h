// The handler of the printer services (class 4135): it finds the maker's printer toolbox through the
// registry, hides the toolbox widget 6005 when there is none, answers whether it is there (command
// 31), and starts it with the printer's name when one of its widgets changes.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

class CNiraServicesHandler : public CNiraFeatureHandler {
public:
    static constexpr int kToolboxWidget = 6005;
    static constexpr size_t kPathChars = 260;

    int InitializeStates() override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnWidgetChanged(int widgetId) override;

    // Reads the driver's "ToolboxPath" into path; when there is none, hides the toolbox widget.
    bool FindToolboxPath(WCHAR (&path)[kPathChars]);
    LPCWSTR ToolboxPath() const { return m_toolboxPath; }
    // The command line that starts a program with the arguments: the program part quoted when it
    // holds a blank and is not quoted yet, ".exe" added when the line names none. False when it
    // does not fit in `chars`.
    static bool MakeCommandLine(LPCWSTR program, LPCWSTR arguments, LPWSTR line, size_t chars);

private:
    void StartToolbox();
    bool RegisteredToolbox(WCHAR (&line)[kPathChars]);
    static void Start(LPCWSTR commandLine);

    WCHAR m_toolboxPath[kPathChars] = {};
};
