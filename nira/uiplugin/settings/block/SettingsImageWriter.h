// Writes the settings image (see SettingsImage.h) of a store: the writing side of
// CNiraSettingsImageView. The arrays are laid out kind by kind, each with its presence bits and
// the values of its present entries by rank, then the texts of the strings and the bytes of the
// blobs. A store that contradicts its own presence bits, or a value it refuses to read, is a
// settings error (13); an image larger than the format can describe is one too.
#pragma once

#include <windows.h>

#include "nira/uiplugin/settings/block/SettingsImage.h"

class INiraSettingsStore;
struct SettingsMaskInfo;

class CNiraSettingsImageWriter {
public:
    explicit CNiraSettingsImageWriter(INiraSettingsStore& store) : m_store(store) {}
    CNiraSettingsImageWriter(const CNiraSettingsImageWriter&) = delete;
    CNiraSettingsImageWriter& operator=(const CNiraSettingsImageWriter&) = delete;

    // Lays the image out: answers its length, the header and the data area.
    DWORD Measure();
    // Writes the image last measured into image, which holds that many zero bytes.
    void Write(BYTE* image);

private:
    ULONGLONG LayOutArrays();
    void MeasureHeaps(ULONGLONG arraysEnd);
    void WritePresence(BYTE* data) const;
    void WriteValues(BYTE* data);
    const BYTE* StoredValues(LONG kind, DWORD count);
    void WriteTexts(BYTE* data);
    void WriteBlobs(BYTE* data);

    INiraSettingsStore& m_store;
    const SettingsMaskInfo* m_info = nullptr;
    SettingsImageHeader m_header{};
};
