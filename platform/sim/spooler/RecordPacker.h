// Packs spooler answers the way the spooler does: the fixed records first, then the strings they
// point to, all in the caller's one buffer, with a size query when the buffer is too small.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace nirasim::sim {

class RecordPacker {
public:
    // Appends a fixed record; answers its offset.
    template <typename Record>
    size_t AddRecord(const Record& record)
    {
        size_t offset = fixed_.size();
        fixed_.resize(offset + sizeof(Record));
        std::memcpy(fixed_.data() + offset, &record, sizeof(Record));
        return offset;
    }

    // Makes the pointer field at `fieldOffset` (from the start of the buffer) point at `text`
    // (a terminated string, or several for a multi-string); a null text leaves the field null.
    void PointAt(size_t fieldOffset, const std::u16string* text)
    {
        if (text != nullptr) {
            strings_.push_back({fieldOffset, *text});
        }
    }
    void PointAt(size_t fieldOffset, std::u16string text)
    {
        strings_.push_back({fieldOffset, std::move(text)});
    }

    DWORD Size() const
    {
        size_t size = fixed_.size();
        for (const auto& entry : strings_) {
            size += (entry.text.size() + 1) * sizeof(WCHAR);
        }
        return static_cast<DWORD>(size);
    }

    // Copies everything into `buffer` with the pointers set; FALSE with ERROR_INSUFFICIENT_BUFFER
    // (and the size needed in *needed) when it does not fit.
    BOOL Answer(LPBYTE buffer, DWORD capacity, LPDWORD needed) const
    {
        DWORD size = Size();
        if (needed != nullptr) {
            *needed = size;
        }
        if (buffer == nullptr || capacity < size) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        std::memcpy(buffer, fixed_.data(), fixed_.size());
        size_t at = fixed_.size();
        for (const auto& entry : strings_) {
            WCHAR* text = reinterpret_cast<WCHAR*>(buffer + at);
            std::memcpy(text, entry.text.data(), entry.text.size() * sizeof(WCHAR));
            text[entry.text.size()] = 0;
            std::memcpy(buffer + entry.fieldOffset, &text, sizeof(text));
            at += (entry.text.size() + 1) * sizeof(WCHAR);
        }
        return TRUE;
    }

private:
    struct StringEntry {
        size_t fieldOffset;
        std::u16string text;
    };
    std::vector<BYTE> fixed_;
    std::vector<StringEntry> strings_;
};

}  // namespace nirasim::sim
