// The numbered pages that the host's print job spools as an EMF document: a frame, the page's
// number in large digits and an arrow that points up.
#pragma once

#include <nirasim/PrintJobs.h>

#include <string>

// The spool file of a document of `pages` Letter pages at the given resolution, each page carrying
// the DEVMODE bytes given (on page 1) for the whole document.
std::string NumberedDocument(int pages, int dpi, const std::string& devmode);

// The EMF job of that document for the printer, its DEVMODE as the job's own.
nirasim::PrintJobSpec NumberedJob(const std::u16string& printer, int pages, int dpi,
                                  const std::string& devmode);
