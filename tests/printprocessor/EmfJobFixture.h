// EMF jobs run through nirapp as the spooler runs them: a spooled document of simple pages, the
// job's DEVMODE, and the sheet sides and cells the pages were played into, read from the placement
// journal.
#pragma once

#include "printprocessor/ProcessorMachine.h"

#include <nirasim/Emf.h>
#include <nirasim/Gdi.h>

#include <cstring>
#include <string>
#include <vector>

inline constexpr short kQuality = 100;  // Letter at 100 dpi: 850 x 1100 device units
inline const WString kEmf = TEXT("NT EMF 1.006");

class EmfJobTest : public ProcessorMachineTest {
protected:
    void SetUp() override
    {
        ProcessorMachineTest::SetUp();
        nirasim::ClearPlacementJournal();
        nirasim::SetJobAttributes({});
        nirasim::ClearGdiJournal();
    }

    void TearDown() override
    {
        nirasim::SetJobAttributes({});
        ProcessorMachineTest::TearDown();
    }

    static DEVMODEW Devmode()
    {
        DEVMODEW d = {};
        d.dmSize = sizeof(DEVMODEW);
        d.dmFields = DM_ORIENTATION | DM_COPIES | DM_COLLATE | DM_DUPLEX;
        d.dmOrientation = DMORIENT_PORTRAIT;
        d.dmCopies = 1;
        d.dmDuplex = DMDUP_SIMPLEX;
        d.dmPrintQuality = kQuality;
        d.dmYResolution = kQuality;
        // Letter, which the render module takes for the printable area as well.
        d.dmPaperSize = 1;
        d.dmPaperWidth = 2159;
        d.dmPaperLength = 2794;
        return d;
    }

    // A choice the render module answers with: its job setting of that name.
    static void Choose(const WCHAR* setting, DWORD value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\NiraSample\\RenderModule"), 0, nullptr,
                                  0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, setting, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        RegCloseKey(key);
    }

    static std::vector<BYTE> Bytes(const DEVMODEW& d)
    {
        const auto* b = reinterpret_cast<const BYTE*>(&d);
        return std::vector<BYTE>(b, b + d.dmSize);
    }

    // A document of `pages` pages with one DEVMODE for all; `badPage` gets a broken record.
    static std::string Document(int pages, const DEVMODEW& devmode, int badPage = 0)
    {
        std::vector<nirasim::SpoolPage> spooled;
        for (int i = 1; i <= pages; ++i) {
            nirasim::EmfRecorder page(826, 1076);
            page.Rectangle({10, 10, 816, 1066});
            std::string emf = page.Finish();
            if (i == badPage) {
                DWORD broken = 6;
                std::memcpy(&emf[kEmfHeaderBytes + 4], &broken, sizeof(broken));
            }
            spooled.push_back({i == 1 ? Bytes(devmode) : std::vector<BYTE>(), emf});
        }
        return nirasim::EmfSpoolFile(nirasim::Wide("Document"), spooled);
    }

    nirasim::PrintJobRun RunEmf(int pages, const DEVMODEW& devmode, int badPage = 0,
                                const char* documentName = "Document")
    {
        nirasim::PrintJobSpec job = Job(kEmf, Document(pages, devmode, badPage));
        job.documentName = nirasim::Wide(documentName);
        job.devmode = Bytes(devmode);
        return Host().Run(job);
    }

    static std::vector<DWORD> PagesOf(const nirasim::SheetSideRecord& side)
    {
        std::vector<DWORD> pages;
        for (const nirasim::PlayedPage& played : side.pages) {
            pages.push_back(played.page);
        }
        return pages;
    }

    static constexpr size_t kEmfHeaderBytes = 88;
};
