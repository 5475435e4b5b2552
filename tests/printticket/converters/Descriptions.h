// Converter descriptions filled as the feature handlers fill them before a PrintCapabilities write.
#pragma once

#include "printticket/XDBindingFeature.h"
#include "printticket/XDNUpFeature.h"
#include "printticket/XDOrientationFeature.h"
#include "printticket/XDPageScalingFeature.h"
#include "printticket/XDPosterFeature.h"
#include "printticket/XDResolutionFeature.h"
#include "printticket/XDRollCutFeature.h"

// name, listed, displayId, value 1, flag.
void SetEntry(CXDOptionEntry& entry, LPCWSTR name, int listed = 1, int flag = 0, int displayId = 0);

// Portrait and Landscape listed, the reversed and rotated options not.
void FillOrientation(CXDOrientationFeature& d);
// All three resolutions, each with its number of dots as display number.
void FillResolution(CXDResolutionFeature& d);
void FillRollCut(CXDRollCutFeature& d);
// The three options and the four parameter definitions of the fit-to-size handler.
void FillPageScaling(CXDPageScalingFeature& d);
void FillPoster(CXDPosterFeature& d);
void FillBinding(CXDBindingFeature& d);
// Pages and directions listed; the borders left unlisted.
void FillNUp(CXDNUpFeature& d);
