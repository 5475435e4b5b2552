// The media-size converter: PageMediaSize as the selected option's name and its width and height
// in microns, as plain ScoredProperty values of a named option or, for CustomMediaSize, through
// the ParameterInit elements of the custom size. It has no description: the paper-size handler
// publishes the media sizes itself.
#pragma once

#include <windows.h>

#include "printticket/XDString.h"

class CXDPrintTicket;

struct MediaSizeValues {
    int width;             // microns
    int height;            // microns
    CXDString optionName;  // as read: without prefix; to write: the option's name
};

class CXDMediaSizeFeature {
public:
    static constexpr int kLetterWidth = 215900;   // microns
    static constexpr int kLetterHeight = 279400;  // microns

    // Not found, with nothing changed, without PageMediaSize or its width; without its height the
    // failure comes back with width and optionName already set.
    static HRESULT ReadPrintTicket(CXDPrintTicket& ticket, MediaSizeValues* values);
    // Replaces PageMediaSize (and the ParameterInit elements it referred to); an empty option name
    // gives E_INVALIDARG and leaves the ticket without the feature.
    static HRESULT WritePrintTicket(CXDPrintTicket& ticket, const MediaSizeValues* values);
};
