#include "printprocessor/TextLineFormatter.h"

namespace {

constexpr BYTE kTab = 0x09;
constexpr BYTE kLineFeed = 0x0A;
constexpr BYTE kFormFeed = 0x0C;
constexpr BYTE kCarriageReturn = 0x0D;
constexpr BYTE kSpace = ' ';

void SetFlags(TextLineState& state, DWORD bits)
{
    state.textFlags |= bits;
}

void ClearFlags(TextLineState& state, DWORD bits)
{
    state.textFlags &= ~bits;
}

// Ends the line at the current position: tab stops keep the phase of the unwrapped line.
const BYTE* Wrap(const BYTE* at, DWORD room, DWORD tabSize, TextLineState& state)
{
    state.tabPhase = (state.tabPhase + tabSize - (room % tabSize)) % tabSize;
    SetFlags(state, TEXT_FLAG_NEW_LINE | TEXT_FLAG_COLUMN_ZERO);
    return at;
}

// Starts the line with the spaces a TAB cut by the last wrap still owes; false when they fill
// the line themselves (the line is then ended again).
bool SettleCutTab(BYTE* lineBuffer, DWORD room, TextLineState& state)
{
    if (!(state.textFlags & TEXT_FLAG_TAB_PENDING)) {
        return true;
    }
    if (state.tabPhase == 0) {
        // The cut TAB owed nothing more; a later wrap must not find the flag still set.
        ClearFlags(state, TEXT_FLAG_TAB_PENDING);
        return true;
    }
    state.pendingCount = 0;
    if (state.tabPhase >= room) {
        state.tabPhase -= room;
        SetFlags(state, TEXT_FLAG_NEW_LINE | TEXT_FLAG_COLUMN_ZERO);
        return false;
    }
    FillMemory(lineBuffer, state.tabPhase, kSpace);
    state.pendingCount = state.tabPhase;
    ClearFlags(state, TEXT_FLAG_TAB_PENDING);
    return true;
}

// A line end (LF or CR); answers the position behind it, or null when the LF was skipped.
const BYTE* TakeLineEnd(const BYTE* at, BYTE byte, TextLineState& state)
{
    if (byte == kLineFeed) {
        if (state.textFlags & TEXT_FLAG_SKIP_LF) {
            ClearFlags(state, TEXT_FLAG_SKIP_LF);
            return nullptr;
        }
        if (state.textFlags & TEXT_FLAG_LF_RETURNS) {
            state.tabPhase = 0;
            SetFlags(state, TEXT_FLAG_NEW_LINE | TEXT_FLAG_COLUMN_ZERO);
        } else {
            SetFlags(state, TEXT_FLAG_NEW_LINE);
        }
        return at + 1;
    }
    state.tabPhase = 0;
    if (state.textFlags & TEXT_FLAG_CR_NEW_LINE) {
        SetFlags(state, TEXT_FLAG_NEW_LINE | TEXT_FLAG_COLUMN_ZERO | TEXT_FLAG_SKIP_LF);
    } else {
        SetFlags(state, TEXT_FLAG_COLUMN_ZERO);
    }
    return at + 1;
}

}  // namespace

const BYTE* FormatTextLine(const BYTE* source, const BYTE* sourceEnd, BYTE* lineBuffer, DWORD room,
                           DWORD tabSize, UINT codePage, TextLineState& state)
{
    if (!SettleCutTab(lineBuffer, room, state)) {
        return source;
    }
    const BYTE* at = source;
    while (at < sourceEnd) {
        BYTE byte = *at;
        DWORD cellsLeft = room > state.pendingCount ? room - state.pendingCount : 0;
        if (byte == kTab) {
            ClearFlags(state, TEXT_FLAG_SKIP_LF);
            if (cellsLeft == 0) {
                return Wrap(at, room, tabSize, state);
            }
            DWORD spaces = tabSize - ((state.pendingCount + tabSize - state.tabPhase) % tabSize);
            DWORD fitting = spaces < cellsLeft ? spaces : cellsLeft;
            FillMemory(lineBuffer + state.pendingCount, fitting, kSpace);
            ++at;
            if (spaces < cellsLeft) {
                state.pendingCount += spaces;
                continue;
            }
            SetFlags(state, TEXT_FLAG_TAB_PENDING);
            return Wrap(at, room, tabSize, state);
        }
        if (byte == kLineFeed || byte == kCarriageReturn) {
            const BYTE* next = TakeLineEnd(at, byte, state);
            if (next != nullptr) {
                return next;
            }
            ++at;
            continue;
        }
        if (byte == kFormFeed) {
            state.tabPhase = 0;
            ClearFlags(state, TEXT_FLAG_SKIP_LF);
            SetFlags(state, TEXT_FLAG_PAGE);
            return at + 1;
        }
        ClearFlags(state, TEXT_FLAG_SKIP_LF);
        bool lead = IsDBCSLeadByteEx(codePage, byte) != FALSE;
        if (cellsLeft == 0 || (cellsLeft == 1 && lead)) {
            return Wrap(at, room, tabSize, state);
        }
        if (lead && at + 1 >= sourceEnd) {
            SetFlags(state, TEXT_FLAG_LEAD_BYTE_HELD);
            return at;
        }
        DWORD width = lead ? 2 : 1;
        CopyMemory(lineBuffer + state.pendingCount, at, width);
        state.pendingCount += width;
        at += width;
    }
    return nullptr;
}
