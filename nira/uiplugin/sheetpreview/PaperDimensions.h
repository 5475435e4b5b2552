// The printable size of a paper option as the pictures draw it, asked of the paper size handler.
#pragma once

class INiraCoreServices;

namespace sheetpreview {

// Reads the option set for `valueFeature` and the paper behind it (the option's device value in
// `optionFeature`), then asks the paper size handler for its size in hundredths of a millimetre.
// False, with nothing written, when the option is not set or unreadable; a paper the handler does
// not know gives Letter's size.
bool ReadPaperDimensions(INiraCoreServices* services, int sourceWidget, int valueFeature, int optionFeature,
                         int* width, int* height);

}  // namespace sheetpreview
