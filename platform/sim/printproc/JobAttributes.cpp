// GetJobAttributes: the layout attributes of a job. The driver's answers (pages per side and page
// order it lays out itself, its copies) come from the test control; the job's copies and
// resolution from the DEVMODE.
#include <winsplp.h>

#include <nirasim/Emf.h>

#include "core/Failures.h"
#include "spooler/Spooler.h"

#include <mutex>

using namespace nirasim;
using namespace nirasim::sim;

namespace {

struct AttributeState {
    std::mutex lock;
    JobAttributeSettings settings;
};

AttributeState& Attributes()
{
    static AttributeState state;
    return state;
}

}  // namespace

BOOL WINAPI GetJobAttributes(LPWSTR pPrinterName, LPDEVMODEW pDevmode, PATTRIBUTE_INFO_3 pAttributeInfo)
{
    NIRASIM_FAIL_IF_INJECTED("GetJobAttributes", FALSE);
    if (pPrinterName == nullptr || pDevmode == nullptr || pAttributeInfo == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    {
        std::lock_guard<std::recursive_mutex> spooler(Spooler().lock);
        if (FindPrinter(WideFrom(pPrinterName)) == nullptr) {
            SetLastError(ERROR_INVALID_PRINTER_NAME);
            return FALSE;
        }
    }
    std::lock_guard<std::mutex> guard(Attributes().lock);
    const JobAttributeSettings& s = Attributes().settings;
    ATTRIBUTE_INFO_3 info = {};
    info.dwJobNumberOfPagesPerSide = s.pagesPerSide;
    info.dwDrvNumberOfPagesPerSide = s.driverPagesPerSide;
    info.dwNupBorderFlags = s.borderFlags;
    info.dwJobPageOrderFlags = s.jobPageOrder;
    info.dwDrvPageOrderFlags = s.driverPageOrder;
    bool hasCopies = (pDevmode->dmFields & DM_COPIES) != 0 && pDevmode->dmCopies > 0;
    info.dwJobNumberOfCopies = hasCopies ? static_cast<DWORD>(pDevmode->dmCopies) : 1;
    info.dwDrvNumberOfCopies = s.driverCopies;
    info.dwColorOptimization = s.colorOptimization;
    info.dmPrintQuality = pDevmode->dmPrintQuality;
    info.dmYResolution = pDevmode->dmYResolution;
    *pAttributeInfo = info;
    return TRUE;
}

namespace nirasim {

void SetJobAttributes(const JobAttributeSettings& settings)
{
    std::lock_guard<std::mutex> guard(Attributes().lock);
    Attributes().settings = settings;
}

}  // namespace nirasim
