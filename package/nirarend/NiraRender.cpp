// The render module's answers to the private escapes, made from the job's DEVMODE: the settings
// a job prints with when the user changed nothing. Records it is sent are taken and answered 1.
#include <windows.h>

#include "common/EscapeRecords.h"
#include "package/nirarend/PreviewPages.h"
#include "package/nirarend/SettingChoices.h"

namespace {

constexpr int kAnswered = 1;
constexpr int kUnknown = 0;
constexpr LONG kFullScale = 100;
constexpr LONG kPrintedOutput = 1;
constexpr LONG kDefaultResolution = 600;
constexpr double kTenthsMmPerInch = 254.0;
const WCHAR kNoOverlayText[] = TEXT(" [none]");
const WCHAR kOverlayFont[] = TEXT("Courier");

void CopyText(WCHAR* field, DWORD capacity, const WCHAR* text)
{
    DWORD i = 0;
    for (; i + 1 < capacity && text[i] != 0; ++i) {
        field[i] = text[i];
    }
    field[i] = 0;
}

void AnswerJobSettings(const DEVMODEW* devmode, JobSettingsRecord& settings)
{
    ZeroMemory(&settings, sizeof(settings));
    settings.outputMode = kPrintedOutput;
    settings.scalePercent = devmode != nullptr && devmode->dmScale > 0 ? devmode->dmScale : kFullScale;
    settings.marginMode = 1;
    settings.manualDuplexOrderMode = 1;
    CopyText(settings.overlay.overlayText, kOverlayTextChars, kNoOverlayText);
    CopyText(settings.overlay.overlayText2, kOverlayTextChars, kNoOverlayText);
    CopyText(settings.overlay.overlayFont, kOverlayTextChars, kOverlayFont);
    for (LONG& tile : settings.posterTileSelected) {
        tile = 1;
    }
    if (devmode != nullptr) {
        LONG source = devmode->dmDefaultSource;
        LONG media = static_cast<LONG>(devmode->dmMediaType);
        settings.paperSize = devmode->dmPaperSize;
        settings.firstPageSource = settings.otherPagesSource = settings.lastSheetSource = source;
        settings.backCoverSource = settings.frontCoverSource = source;
        settings.manualDuplexSource = settings.alternateSource = source;
        settings.firstPageMedia = settings.otherPagesMedia = settings.lastSheetMediaType = media;
        settings.backCoverMediaType = settings.frontCoverMediaType = media;
        settings.previewResolution =
            devmode->dmPrintQuality > 0 ? devmode->dmPrintQuality : kDefaultResolution;
    }
    settings.previewEnabled = PreviewRequested() ? 1 : 0;
    ApplySettingChoices(settings);
}

LONG PreviewResolution(const DEVMODEW* devmode)
{
    return devmode != nullptr && devmode->dmPrintQuality > 0 ? devmode->dmPrintQuality : kDefaultResolution;
}

// The papers the sample printer knows by their number, in tenths of a millimetre.
struct KnownPaper {
    SHORT paper;
    SHORT width;
    SHORT length;
};
const KnownPaper kKnownPapers[] = {
    {DMPAPER_LETTER, 2159, 2794},
    {DMPAPER_LEGAL, 2159, 3556},
    {8, 2970, 4200},  // A3
    {DMPAPER_A4, 2100, 2970},
    {11, 1480, 2100},  // A5
};

// The paper's size: a known paper by its number (the page step changes only the number when it
// fits pages to another paper), else the DEVMODE's own width and length.
void PaperOf(const DEVMODEW& devmode, LONG& width, LONG& length)
{
    width = devmode.dmPaperWidth;
    length = devmode.dmPaperLength;
    for (const KnownPaper& known : kKnownPapers) {
        if (known.paper == devmode.dmPaperSize) {
            width = known.width;
            length = known.length;
        }
    }
}

// The page's printable size in device units, when the DEVMODE gives the paper's size.
void AnswerPageSettings(const DEVMODEW* devmode, PageSettingsRecord& page)
{
    ZeroMemory(&page, sizeof(page));
    LONG width = 0;
    LONG length = 0;
    if (devmode != nullptr) {
        PaperOf(*devmode, width, length);
    }
    if (width <= 0 || length <= 0) {
        return;
    }
    double dpiX = devmode->dmPrintQuality > 0 ? devmode->dmPrintQuality : kDefaultResolution;
    double dpiY = devmode->dmYResolution > 0 ? devmode->dmYResolution : dpiX;
    page.printableWidth = static_cast<LONG>(width * dpiX / kTenthsMmPerInch);
    page.printableHeight = static_cast<LONG>(length * dpiY / kTenthsMmPerInch);
    page.imageWidth = page.printableWidth;
    page.imageHeight = page.printableHeight;
}

void AnswerDriverState(DriverStateRecord& state)
{
    ZeroMemory(&state, sizeof(state));
    // The colour tool is offered; the print processor decides whether it runs.
    state.colorToolEnabled = 1;
}

template <typename Record>
bool Fits(int outputSize, void* output)
{
    return output != nullptr && outputSize >= static_cast<int>(sizeof(Record));
}

}  // namespace

extern "C" __declspec(dllexport) int RenderEscape(const DEVMODEW* devmode, int code, int inputSize,
                                                  const void* input, int outputSize, void* output)
{
    switch (code) {
    case ESCAPE_GET_JOB_SETTINGS:
        if (!Fits<JobSettingsRecord>(outputSize, output)) {
            return kUnknown;
        }
        AnswerJobSettings(devmode, *static_cast<JobSettingsRecord*>(output));
        return kAnswered;
    case ESCAPE_GET_PAGE_SETTINGS:
        if (!Fits<PageSettingsRecord>(outputSize, output)) {
            return kUnknown;
        }
        AnswerPageSettings(devmode, *static_cast<PageSettingsRecord*>(output));
        return kAnswered;
    case ESCAPE_GET_DRIVER_STATE:
        if (!Fits<DriverStateRecord>(outputSize, output)) {
            return kUnknown;
        }
        AnswerDriverState(*static_cast<DriverStateRecord*>(output));
        return kAnswered;
    case ESCAPE_SET_JOB_COUNTS:
        if (input == nullptr || inputSize < static_cast<int>(kJobCountsRecordSize)) {
            return kUnknown;
        }
        TakeJobCounts(*static_cast<const JobCountsRecord*>(input));
        return kAnswered;
    case ESCAPE_SET_PAGE_PLACEMENT:
        return input != nullptr && inputSize >= static_cast<int>(kPagePlacementRecordSize);
    case ESCAPE_OVERLAY_BEGIN:
    case ESCAPE_OVERLAY_NONE:
        return kAnswered;
    default:
        return kUnknown;
    }
}

// A finished sheet on the printer DC; kept as a preview page while a preview pass runs.
extern "C" __declspec(dllexport) void RenderEndPage(const DEVMODEW* devmode, DWORD jobId, const BYTE* pixels,
                                                    LONG width, LONG height, LONG stride, LONG dpi)
{
    TakeSheet(jobId, pixels, width, height, stride, dpi, PreviewResolution(devmode));
}
