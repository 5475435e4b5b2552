#include "nira/uiplugin/sheetpreview/PaperDimensions.h"

#include "nira/uiplugin/features/handlers/PaperSizeHandler.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace sheetpreview {

namespace {

constexpr int kUnknownPaperWidth = 2400;
constexpr int kUnknownPaperHeight = 3300;

}  // namespace

bool ReadPaperDimensions(INiraCoreServices* services, int sourceWidget, int valueFeature, int optionFeature,
                         int* width, int* height)
{
    int option = 0;
    int isSet = 0;
    int device = 0;
    if (services == nullptr || services->GetValue(valueFeature, &option, &isSet) != 0 || isSet != 0 ||
        services->GetOptionValue(optionFeature, option, &device) != 0) {
        return false;
    }
    int size[2] = {0, 0};
    if (services->SendHandlerCommand(sourceWidget, FEATURE_PAPER_SIZE, PAPER_COMMAND_GET_SIZE, &device,
                                     size) != 0 ||
        (size[0] == 0 && size[1] == 0)) {
        size[0] = kUnknownPaperWidth;
        size[1] = kUnknownPaperHeight;
    }
    *width = size[0];
    *height = size[1];
    return true;
}

}  // namespace sheetpreview
