// A pass over a spool file of numbered pages as the EMF road prepares it: the job, its DC and the
// strategy context, with the sheet sides read from the placement journal.
#pragma once

#include "printprocessor/ProcessorMachine.h"

#include <nirasim/Emf.h>

#include <winppi.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "printprocessor/PageStep.h"
#include "printprocessor/PageStrategies.h"
#include "printprocessor/PrivateBlockEdit.h"
#include "printprocessor/SamplePrivateSection.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

class SpoolPassTest : public ProcessorMachineTest {
protected:
    void TearDown() override
    {
        if (m_spool != nullptr) {
            GdiEndDocEMF(m_spool);
            GdiDeleteSpoolFileHandle(m_spool);
        }
        ProcessorMachineTest::TearDown();
    }

    // Opens a spool file of `pages` pages and prepares the job as a pass would.
    void Open(int pages, short orientation = DMORIENT_PORTRAIT, short source = DMBIN_FORMSOURCE,
              short quality = kPassQuality)
    {
        m_devmode.dmSize = sizeof(DEVMODEW);
        m_devmode.dmDriverExtra = static_cast<WORD>(m_section.size());
        m_devmode.dmFields = DM_ORIENTATION | DM_COPIES | DM_DUPLEX;
        m_devmode.dmOrientation = orientation;
        m_devmode.dmCopies = 1;
        m_devmode.dmDuplex = DMDUP_SIMPLEX;
        m_devmode.dmPrintQuality = quality;
        m_devmode.dmYResolution = quality;
        m_devmode.dmDefaultSource = source;
        std::vector<nirasim::SpoolPage> spooled;
        for (int i = 1; i <= pages; ++i) {
            nirasim::EmfRecorder page(100, 100);
            std::vector<BYTE> devmode;
            if (i == 1 || !m_section.empty()) {
                const auto* b = reinterpret_cast<const BYTE*>(&m_devmode);
                devmode.assign(b, b + sizeof(m_devmode));
                devmode.insert(devmode.end(), m_section.begin(), m_section.end());
            }
            spooled.push_back({devmode, page.Finish()});
        }
        WString printer = nirasim::Wide(kPrinter);
        DWORD id = nirasim::SpoolEmfJob(printer, nirasim::EmfSpoolFile(printer, spooled));
        m_document = printer + nirasim::Wide(", Job " + std::to_string(id));
        m_printerName = printer;
        m_job.printerName = &m_printerName[0];
        m_devmode.dmDriverExtra = 0;  // the sections live only in the spooled pages
        m_spool = GdiGetSpoolFileHandle(&m_printerName[0], &m_devmode, &m_document[0]);
        ASSERT_NE(m_spool, nullptr);
        HDC dc = GdiGetDC(m_spool);
        ASSERT_NE(dc, nullptr);
        DOCINFOW info = {sizeof(DOCINFOW), m_document.c_str(), nullptr, nullptr, 0};
        ASSERT_TRUE(GdiStartDocEMF(m_spool, &info));
        SetGraphicsMode(dc, GM_ADVANCED);
        m_emf.spoolHandle = m_spool;
        m_emf.printerDC = dc;
        m_emf.pageCount = pages;
        m_emf.settings.marginMode = 0;
        ASSERT_TRUE(GetPageDevmode(m_emf, 1, &m_emf.pageDevmode));
        nirasim::ClearPlacementJournal();
    }

    void Layout(LONG pagesPerSide, bool processorPlaces = true)
    {
        m_emf.pagesPerSide = pagesPerSide;
        m_emf.driverPagesPerSide = processorPlaces ? 1 : pagesPerSide;
        m_emf.nupPages = processorPlaces ? pagesPerSide : 1;
    }

    BOOL Run(BOOL (*strategy)(StrategyContext&))
    {
        CellPlacement placement;
        placement.job = &m_emf;
        placement.spoolHandle = m_spool;
        placement.printerDC = m_emf.printerDC;
        StrategyContext context;
        context.job = &m_emf;
        context.spoolHandle = m_spool;
        context.printerDC = m_emf.printerDC;
        context.pageDevmode = m_emf.pageDevmode;
        context.duplex = m_emf.duplex;
        context.collate = m_emf.collate;
        context.pageCount = m_emf.pageCount;
        context.cellPlacement = &placement;
        BOOL result = strategy(context);
        DeleteObject(placement.posterPen);
        return result;
    }

    // Each side as its pages in cell order, "-" for an empty side: "1 2|3 4|-".
    static std::string Sides()
    {
        std::string text;
        for (const nirasim::SheetSideRecord& side : nirasim::PlacementJournal()) {
            std::string pages;
            for (const nirasim::PlayedPage& played : side.pages) {
                pages += (pages.empty() ? "" : " ") + std::to_string(played.page);
            }
            text += (text.empty() ? "" : "|") + (pages.empty() ? std::string("-") : pages);
        }
        return text;
    }

    // Every page gets a DEVMODE of its own that ends with a private section of the settings.
    void GivePagesPrivateSections()
    {
        std::unique_ptr<PrivateDevMode> section =
            SamplePrivateSection(nirasim::Wide(kPrinter).c_str(), {{kRepeatCountSetting, 1}});
        const auto* b = reinterpret_cast<const BYTE*>(section.get());
        m_section.assign(kSectionLead, 0);
        m_section.insert(m_section.end(), b, b + sizeof(PrivateDevMode));
        m_devmode.dmDriverExtra = static_cast<WORD>(m_section.size());
    }

    BYTE FlagOfPage(LONG page, LONG flag)
    {
        DEVMODEW* devmode = nullptr;
        EXPECT_TRUE(GetPageDevmode(m_emf, page, &devmode));
        PrivateBlockEdit edit(m_printerName.c_str(), devmode);
        EXPECT_TRUE(edit.Loaded());
        return edit.Flag(flag);
    }

    LONG IntOfPage(LONG page, LONG setting)
    {
        DEVMODEW* devmode = nullptr;
        EXPECT_TRUE(GetPageDevmode(m_emf, page, &devmode));
        PrivateBlockEdit edit(m_printerName.c_str(), devmode);
        return edit.Int(setting);
    }

    void Close()
    {
        GdiEndDocEMF(m_spool);
        GdiDeleteSpoolFileHandle(m_spool);
        m_spool = nullptr;
    }

    static constexpr size_t kSectionLead = 4;  // the section need not start right after dmSize
    std::vector<BYTE> m_section;
    DEVMODEW m_devmode = {};
    WString m_printerName;
    WString m_document;
    ProcessorJob m_job = {};
    CNiraEmfJob m_emf{&m_job, &m_devmode};
    HANDLE m_spool = nullptr;
};
