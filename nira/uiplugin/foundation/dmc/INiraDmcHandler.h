// What the plug-in drives to read a printer's device-model configuration once (when the printer
// is initialised) and to push the kept snapshot into the UI settings later. Slot order is fixed:
// destructor, CaptureDeviceModel, a reserved operation answering 0, ApplySnapshot.
#pragma once

class INiraDmcHandler {
public:
    virtual ~INiraDmcHandler() = default;
    virtual int CaptureDeviceModel() = 0;
    virtual int Reserved() = 0;
    virtual int ApplySnapshot() = 0;
};

// The handler of a printer without a device-model configuration: every operation answers 0.
class CNiraNullDmcHandler : public INiraDmcHandler {
public:
    int CaptureDeviceModel() override { return 0; }
    int Reserved() override { return 0; }
    int ApplySnapshot() override { return 0; }
};
