#include "host/PreferencesSession.h"

#include "host/SectionReport.h"

#include <nirasim/CoreDriver.h>
#include <winspool.h>

#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"

namespace {

const char16_t kPresentationFile[] = TEXT("\\nirapres.dll");

bool MakesInstances(const std::u16string& path)
{
    HMODULE module = LoadLibraryW(path.c_str());
    bool makes = module != nullptr && GetProcAddress(module, kCreateInstanceExport) != nullptr;
    if (module != nullptr) {
        FreeLibrary(module);
    }
    return makes;
}

}  // namespace

PreferencesSession::PreferencesSession(HostMachine& host) : host_(host)
{
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    const std::u16string path = nirasim::Machine::DriverVersionDirectory() + kPresentationFile;
    if (!MakesInstances(path)) {
        HostMachine::Print(
            "nirapres makes no presentation instances yet: its stand-in (niratestpres.dll) "
            "takes the frames");
        host.machine().CopyIn(host.buildDir() + "/fixtures/niratestpres.dll", path);
    }
    presentation_ = LoadLibraryW(path.c_str());
    auto control = presentation_ == nullptr
                       ? nullptr
                       : reinterpret_cast<presentationdouble::ControlProc>(reinterpret_cast<void*>(
                             GetProcAddress(presentation_, presentationdouble::kControlExport)));
    control_ = control != nullptr ? control() : nullptr;
    core_ = std::make_unique<CNiraUICore>();
}

PreferencesSession::~PreferencesSession()
{
    info_.Reason = PROPSHEETUI_REASON_DESTROY;
    core_->DocumentPropertySheets(&info_, 0, printer_, nullptr);
    core_.reset();
    if (printer_ != nullptr) {
        ClosePrinter(printer_);
    }
    if (presentation_ != nullptr) {
        FreeLibrary(presentation_);
    }
}

bool PreferencesSession::Open()
{
    printerName_ = host_.printerName();
    if (!OpenPrinterW(printerName_.data(), &printer_, nullptr)) {
        return false;
    }
    {
        nirasim::CoreDriver driver(printerName_);
        if (driver.IsOpen()) {
            devMode_ = driver->DefaultDevMode().devMode;
        }
    }
    if (devMode_.size() < sizeof(DEVMODEW)) {
        return false;
    }
    param_.cbSize = sizeof(param_);
    param_.hPrinter = printer_;
    param_.pPrinterName = printerName_.data();
    param_.pPublicDM = reinterpret_cast<DEVMODEW*>(devMode_.data());
    info_.cbSize = sizeof(info_);
    info_.Reason = PROPSHEETUI_REASON_INIT;
    info_.lParamInit = reinterpret_cast<LPARAM>(&param_);
    core_->DocumentPropertySheets(&info_, 0, printer_, nullptr);
    return true;
}

void PreferencesSession::PrintFrames() const
{
    if (control_ == nullptr) {
        return;
    }
    for (const presentationdouble::FrameCall& frame : control_->journal.frames) {
        std::u16string line =
            nirasim::Wide(
                Format("frame %s: container \"", frame.mode == kPresentPopup ? "pop-up" : "sheet")) +
            frame.container +
            nirasim::Wide(Format("\", kind %u, request size %u, version %u",
                                 static_cast<unsigned>(frame.frameType), static_cast<unsigned>(frame.cbSize),
                                 static_cast<unsigned>(frame.version)));
        if (frame.mode == kPresentPopup) {
            line += nirasim::Wide(Format(", message %u", static_cast<unsigned>(frame.popupMessage)));
        }
        HostMachine::Print(line);
        HostMachine::Print(
            TEXT("  database ") + frame.database +
            nirasim::Wide(Format(", resource module %s", frame.resourceModule ? "loaded" : "none")));
    }
}
