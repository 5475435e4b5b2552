#include "host/SectionReport.h"

#include "host/HostMachine.h"

#include <cstdarg>
#include <cstdio>

std::string Format(const char* format, ...)
{
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    return text;
}

void ShowSectionHeader(const PrivateDevMode& block)
{
    const GUID& g = block.sectionGuid;
    // The signature reads "ZQUI" as a number, most significant byte first.
    char signature[5] = {};
    for (int i = 0; i < 4; ++i) {
        signature[i] = static_cast<char>((block.signature >> (24 - 8 * i)) & 0xFF);
    }
    HostMachine::Print("private section header:");
    HostMachine::Print(Format(
        "  size %lu, signature 0x%08lX \"%s\", version 0x%08lX", static_cast<unsigned long>(block.size),
        static_cast<unsigned long>(block.signature), signature, static_cast<unsigned long>(block.version)));
    HostMachine::Print(Format("  section GUID {%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                              static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                              g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]));
    HostMachine::Print(
        Format("  page geometry: %lu x %lu dpi, offset (%ld, %ld), printable %ld x %ld, page %ld x %ld",
               static_cast<unsigned long>(block.horizontalResolution),
               static_cast<unsigned long>(block.verticalResolution), static_cast<long>(block.physicalOffsetX),
               static_cast<long>(block.physicalOffsetY), static_cast<long>(block.printableWidth),
               static_cast<long>(block.printableHeight), static_cast<long>(block.physicalWidth),
               static_cast<long>(block.physicalHeight)));
    HostMachine::Print(Format("  packed length N %lu: stream C %lu bytes of %lu, image U %lu bytes",
                              static_cast<unsigned long>(block.packedLength),
                              static_cast<unsigned long>(block.payload.compressedLength),
                              static_cast<unsigned long>(kPackedStreamRoom),
                              static_cast<unsigned long>(block.payload.imageLength)));
    HostMachine::Print(Format("  checksum %lu, copy %lu (%s)", static_cast<unsigned long>(block.checksum),
                              static_cast<unsigned long>(block.checksumCopy),
                              IsBlockChecksumValid(&block) ? "valid" : "INVALID"));
}
