#include "oemui/doceventdlg/JobRequests.h"

namespace {

template <size_t N>
void Terminate(WCHAR (&field)[N])
{
    field[N - 1] = 0;
}

}  // namespace

void TerminateFields(JobStorageRequest& request)
{
    Terminate(request.userName);
    Terminate(request.jobName);
    Terminate(request.locationLine1);
    Terminate(request.locationLine2);
    Terminate(request.locationLine3);
    Terminate(request.settingsSubKey);
    Terminate(request.stringDllPath);
    Terminate(request.helpFilePath);
}

void TerminateFields(ManualDuplexRequest& request)
{
    Terminate(request.stringDllPath);
    Terminate(request.pictureDllPath);
}

void TerminateFields(JobWarningRequest& request)
{
    Terminate(request.message);
    Terminate(request.mediaName);
    Terminate(request.userName);
    Terminate(request.stringDllPath);
}
