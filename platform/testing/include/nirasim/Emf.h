// Test control of the EMF side of the simulated machine: pages recorded in the platform's
// enhanced-metafile record format, spool files in the platform's EMF spool layout (per page its
// DEVMODE and its metafile), the placement journal of the pages that a print processor plays,
// and the job attributes that the spooler answers. For tests and the host program only.
#pragma once

#include <windows.h>
#include <winsplp.h>

#include <string>
#include <vector>

namespace nirasim {

// Records one page of the given size in device units: an EMF header, then each drawing call as
// its record, then the end-of-file record.
class EmfRecorder {
public:
    EmfRecorder(int width, int height);
    void Rectangle(const RECT& box);
    // A filled polygon.
    void Polygon(const std::vector<POINT>& points);
    // The finished page.
    std::string Finish() const;

private:
    void Add(DWORD type, const std::string& body);
    int width_;
    int height_;
    std::string records_;
    DWORD count_ = 0;
};

struct SpoolPage {
    std::vector<BYTE> devmode;  // empty: the page keeps the DEVMODE of the page before
    std::string emf;
};

// The spool file of a document, to be spooled as the job's data.
std::string EmfSpoolFile(const std::u16string& documentName, const std::vector<SpoolPage>& pages);

// Queues a spool file as a finished job of the printer; its id names it to the playback calls
// through the document name "<printer>, Job <id>".
DWORD SpoolEmfJob(const std::u16string& printer, const std::string& spoolFile);

// A page played onto a sheet side: the spool page, the document, frame and clip rectangles
// (all -1 for none) and the world transform in force.
struct PlayedPage {
    DWORD page = 0;
    RECT document = {};
    RECT border = {};
    RECT clip = {};
    XFORM world = {};
    bool played = false;  // false: a record of the page was bad and playback stopped
};

// One sheet side: the pages played on it, whether the world transform was the identity when the
// side started and when it ended, and the DEVMODE's orientation, duplex and copies in force.
struct SheetSideRecord {
    std::vector<PlayedPage> pages;
    bool identityAtStart = true;
    bool identityAtEnd = true;
    short orientation = 0;
    short duplex = 0;
    short copies = 0;
};

std::vector<SheetSideRecord> PlacementJournal();
void ClearPlacementJournal();

// What GetJobAttributes answers beside the DEVMODE's copies, print quality and resolution.
struct JobAttributeSettings {
    DWORD pagesPerSide = 1;
    DWORD driverPagesPerSide = 1;
    DWORD borderFlags = 0;
    DWORD jobPageOrder = 0;
    DWORD driverPageOrder = 0;
    DWORD driverCopies = 1;
    DWORD colorOptimization = 0;
};
void SetJobAttributes(const JobAttributeSettings& settings);

}  // namespace nirasim
