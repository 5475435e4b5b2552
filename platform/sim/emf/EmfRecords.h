// Enhanced metafiles in the platform's record format: the records that the simulated machine
// writes and plays (header, rectangle, 16-bit polygon, end of file).
#pragma once

#include <windows.h>

#include <cairo.h>

#include <string>

namespace nirasim::sim {

constexpr DWORD kEmrHeader = 1;
constexpr DWORD kEmrEof = 14;
constexpr DWORD kEmrRectangle = 43;
constexpr DWORD kEmrPolygon16 = 86;
constexpr DWORD kEmfSignature = 0x464D4520;  // " EMF"
constexpr DWORD kEmfVersion = 0x10000;
constexpr size_t kEmfHeaderSize = 88;

// The size of the page that the header announces (device units).
struct EmfPageSize {
    LONG width = 0;
    LONG height = 0;
};

// Walks the records of a page; false, with ERROR_INVALID_DATA, when a record's size is below 8, not
// a multiple of 4 or reaches past the page, or when the page does not start with a header. With a
// picture, each drawing record is drawn through the picture's current transform.
bool PlayEmfRecords(const std::string& emf, cairo_t* picture, EmfPageSize& size);

}  // namespace nirasim::sim
