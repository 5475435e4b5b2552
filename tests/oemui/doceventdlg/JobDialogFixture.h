// A machine with the sample package and a printer, niraevt's resources for the dialogs this test
// program runs from its own copy of the library's code, and requests filled as the package's
// components fill them.
#pragma once

#include <nirasim/Machine.h>
#include <nirasim/Runtime.h>
#include <nirasim/Windows.h>

#include <gtest/gtest.h>

#include <string>

#include "oemui/doceventdlg/DialogThreads.h"
#include "oemui/doceventdlg/JobRequests.h"
#include "package/nirastr/NiraStrTexts.h"
#include "support/WString.h"

class JobDialogFixture : public testing::Test {
protected:
    static constexpr const WCHAR* kPrinterName = TEXT("Nira Sample Inkjet");

    static constexpr LANGID kEnglishUS = 1033;

    void SetUp() override
    {
        m_machine.SetUILanguage(kEnglishUS);
        m_machine.InstallSamplePackage(NIRA_BUILD_DIR);
        m_machine.AddSamplePrinter(kPrinterName);
        m_niraevt = LoadLibraryW(DriverFile(TEXT("niraevt.dll")).c_str());
        ASSERT_NE(m_niraevt, nullptr);
        SetNiraEvtModule(m_niraevt);
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &m_printer, nullptr));
    }
    void TearDown() override
    {
        nirasim::WaitForStartedThreads();
        CloseDialogThreadHandles();
        ClosePrinter(m_printer);
        FreeLibrary(m_niraevt);
        SetNiraEvtModule(nullptr);
    }

    static WString DriverFile(const WString& name)
    {
        return nirasim::Machine::DriverVersionDirectory() + TEXT("\\") + name;
    }
    // The text of a dialog's control.
    static WString Text(HWND dialog, int control)
    {
        WCHAR text[1024] = {};
        GetWindowTextW(control == 0 ? dialog : GetDlgItem(dialog, control), text, 1024);
        return text;
    }

    JobStorageRequest StorageRequest() const
    {
        JobStorageRequest request = {};
        lstrcpynW(request.userName, TEXT("Alice"), kJobNameChars);
        lstrcpynW(request.jobName, TEXT("Report"), kJobNameChars);
        lstrcpynW(request.locationLine1, TEXT("Printer hard disk"), kLocationChars);
        lstrcpynW(request.locationLine2, TEXT("Folder: Alice"), kLocationChars);
        lstrcpynW(request.locationLine3, TEXT("Release at the printer's panel"), kLocationChars);
        lstrcpynW(request.settingsSubKey, TEXT("JobStorage"), kSettingsSubKeyChars);
        lstrcpynW(request.stringDllPath, DriverFile(TEXT("nirastr.dll")).c_str(), kRequestPathChars);
        lstrcpynW(request.helpFilePath, TEXT("C:\\help\\nira.chm"), kRequestPathChars);
        return request;
    }
    ManualDuplexRequest DuplexRequest(DWORD modal) const
    {
        ManualDuplexRequest request = {};
        lstrcpynW(request.stringDllPath, DriverFile(TEXT("nirastr.dll")).c_str(),
                  kManualDuplexStringPathChars);
        lstrcpynW(request.pictureDllPath, DriverFile(TEXT("nirares.dll")).c_str(), kRequestPathChars);
        request.step1BitmapId = 401;
        request.step1TextId = NIRASTR_ID_REMOVE_STACK;
        request.step2BitmapId = 402;
        request.step2TextId = NIRASTR_ID_TURN_STACK;
        request.step3BitmapId = 403;
        request.step3TextId = NIRASTR_ID_JOINED_LOAD_STACK;
        request.modal = modal;
        request.printer = m_printer;
        return request;
    }
    JobWarningRequest WarningRequest(
        const WString& message = TEXT("Load postcards into the main tray.")) const
    {
        JobWarningRequest request = {};
        request.captionId = NIRASTR_ID_PRINTING_NOTICE;
        request.kind = 1;
        lstrcpynW(request.message, message.c_str(), kWarningMessageChars);
        request.thirdButtonTextId = NIRASTR_ID_PRINT_ANYWAY;
        request.showCheckBox = 1;
        lstrcpynW(request.userName, TEXT("Tester"), kWarningNameChars);
        request.okTextId = NIRASTR_ID_OK;
        request.cancelTextId = NIRASTR_ID_CANCEL;
        lstrcpynW(request.stringDllPath, DriverFile(TEXT("nirastr.dll")).c_str(), kRequestPathChars);
        return request;
    }

    nirasim::Machine m_machine;
    HMODULE m_niraevt = nullptr;
    HANDLE m_printer = nullptr;
};
