// The document events GDI sends the core driver, which hands them to its plug-in: the query
// filter, create-DC, start-doc, pages, reset-DC and the end of the job. A DEVMODE the plug-in hands
// out at a pre event is what the DC uses; it goes back to the plug-in at the post event, as GDI
// gives it back, and the plug-in frees it.
#include "CoreInstance.h"

#include <winddiui.h>

#include <string.h>

#include <algorithm>

namespace nirasim::coredriver {
namespace {

constexpr ULONG kFilterHeaderSize = offsetof(DOCEVENT_FILTER, aDocEventCall);

// The DEVMODE a pre event handed out, copied whole.
std::vector<BYTE> HandedOut(const DEVMODEW* devMode)
{
    if (devMode == nullptr) {
        return {};
    }
    const auto* bytes = reinterpret_cast<const BYTE*>(devMode);
    return std::vector<BYTE>(bytes, bytes + devMode->dmSize + devMode->dmDriverExtra);
}

}  // namespace

DocumentEventCall CoreInstance::SendDocumentEvent(PrintJobTrace& trace, INT escape, ULONG inSize, PVOID in,
                                                  ULONG outSize, PVOID out)
{
    INT result = DOCUMENTEVENT_UNSUPPORTED;
    DocumentEventCall call{escape, E_FAIL, result, false};
    if (out != nullptr && outSize == sizeof(DEVMODEW*)) {
        *static_cast<DEVMODEW**>(out) = nullptr;
    }
    call.answer = plugin_->DocumentEvent(printer_, nullptr, escape, inSize, in, outSize, out, &result);
    call.result = result;
    call.handedOut =
        out != nullptr && outSize == sizeof(DEVMODEW*) && *static_cast<DEVMODEW**>(out) != nullptr;
    trace.calls.push_back(call);
    return call;
}

void CoreInstance::QueryFilter(PrintJobTrace& trace, UINT room)
{
    const ULONG size = kFilterHeaderSize + room * sizeof(DWORD);
    std::vector<DWORD> buffer((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    auto* filter = reinterpret_cast<DOCEVENT_FILTER*>(buffer.data());
    filter->cbSize = size;
    filter->cElementsAllocated = room;
    INT result = DOCUMENTEVENT_UNSUPPORTED;
    QueryFilterAnswer answer{room, 0, 0, {}, result, E_FAIL};
    answer.answer = plugin_->DocumentEvent(printer_, nullptr, DOCUMENTEVENT_QUERYFILTER, 0, nullptr, size,
                                           filter, &result);
    answer.result = result;
    answer.needed = filter->cElementsNeeded;
    answer.returned = filter->cElementsReturned;
    const UINT returned = std::min(filter->cElementsReturned, room);
    answer.events.assign(filter->aDocEventCall, filter->aDocEventCall + returned);
    trace.filters.push_back(answer);
}

PrintJobTrace CoreInstance::RunPrintJob(const std::vector<BYTE>& devMode, const PrintJobOptions& options)
{
    PrintJobTrace trace;
    if (plugin_ == nullptr) {
        return trace;
    }
    QueryFilter(trace, options.filterRoom);
    const QueryFilterAnswer& first = trace.filters.front();
    if (first.result == DOCUMENTEVENT_SUCCESS && first.needed > first.returned) {
        QueryFilter(trace, first.needed);  // asked again with the room the plug-in needs
    }
    const QueryFilterAnswer& filter = trace.filters.back();
    const bool filtered = filter.result == DOCUMENTEVENT_SUCCESS;
    auto wanted = [&](INT escape) {
        return !filtered || std::find(filter.events.begin(), filter.events.end(),
                                      static_cast<DWORD>(escape)) != filter.events.end();
    };
    auto send = [&](INT escape, ULONG inSize, PVOID in, ULONG outSize, PVOID out) {
        if (wanted(escape)) {
            SendDocumentEvent(trace, escape, inSize, in, outSize, out);
        }
    };

    std::vector<BYTE> job(devMode);
    DEVMODEW* jobDevMode = job.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(job.data());
    WCHAR driver[] = u"unidrv";
    std::u16string device = u"printer";
    DOCEVENT_CREATEDCPRE createDC = {driver, device.data(), jobDevMode, FALSE};
    DEVMODEW* handedOut = nullptr;
    const ULONG createDCSize = options.createDCSize != 0 ? options.createDCSize : sizeof(createDC);
    send(DOCUMENTEVENT_CREATEDCPRE, createDCSize, &createDC, sizeof(handedOut), &handedOut);
    trace.createDCDevMode = HandedOut(handedOut);
    send(DOCUMENTEVENT_CREATEDCPOST, sizeof(handedOut), &handedOut, 0, nullptr);

    send(DOCUMENTEVENT_STARTDOCPRE, 0, nullptr, 0, nullptr);
    send(DOCUMENTEVENT_STARTDOCPOST, 0, nullptr, 0, nullptr);
    if (options.resetDC) {
        DEVMODEW* resetOut = nullptr;
        send(DOCUMENTEVENT_RESETDCPRE, sizeof(jobDevMode), &jobDevMode, sizeof(resetOut), &resetOut);
        trace.resetDCDevMode = HandedOut(resetOut);
        send(DOCUMENTEVENT_RESETDCPOST, sizeof(resetOut), &resetOut, 0, nullptr);
    }
    for (DWORD page = 0; page < options.pages; ++page) {
        send(DOCUMENTEVENT_STARTPAGE, 0, nullptr, 0, nullptr);
        send(DOCUMENTEVENT_ENDPAGE, 0, nullptr, 0, nullptr);
    }
    send(DOCUMENTEVENT_ENDDOCPRE, 0, nullptr, 0, nullptr);
    send(DOCUMENTEVENT_ENDDOCPOST, 0, nullptr, 0, nullptr);
    send(DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr);
    return trace;
}

}  // namespace nirasim::coredriver
