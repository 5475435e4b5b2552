// OutputDebugString into a journal that the tests read.
#include <windows.h>

#include <nirasim/Runtime.h>

#include <stdio.h>
#include <stdlib.h>

#include <mutex>

namespace {

// Bounds the journal of a long-running process; the oldest entries go first.
constexpr size_t kJournalLimit = 100000;

struct Journal {
    std::mutex lock;
    std::vector<std::u16string> entries;
};

Journal& TheJournal()
{
    static Journal* journal = new Journal;  // never destroyed: output may come during shutdown
    return *journal;
}

void Record(std::u16string text)
{
    if (getenv("NIRA_DEBUG_OUTPUT")) {
        std::string narrow(text.size(), '\0');
        for (size_t i = 0; i < text.size(); ++i) {
            narrow[i] = text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
        }
        fprintf(stderr, "[debug] %s\n", narrow.c_str());
    }
    Journal& journal = TheJournal();
    std::lock_guard<std::mutex> hold(journal.lock);
    if (journal.entries.size() >= kJournalLimit) {
        journal.entries.erase(journal.entries.begin());
    }
    journal.entries.push_back(std::move(text));
}

}  // namespace

void WINAPI OutputDebugStringW(LPCWSTR lpOutputString)
{
    if (lpOutputString) {
        Record(lpOutputString);
    }
}

void WINAPI OutputDebugStringA(LPCSTR lpOutputString)
{
    if (!lpOutputString) {
        return;
    }
    DWORD lastError = GetLastError();
    int n = MultiByteToWideChar(CP_ACP, 0, lpOutputString, -1, nullptr, 0);
    std::u16string text(n > 0 ? static_cast<size_t>(n) : 0, u'\0');
    if (n > 0 && MultiByteToWideChar(CP_ACP, 0, lpOutputString, -1, &text[0], n) == n) {
        text.resize(static_cast<size_t>(n - 1));
    } else {
        text.assign(lpOutputString, lpOutputString + strlen(lpOutputString));
    }
    SetLastError(lastError);
    Record(std::move(text));
}

BOOL WINAPI IsDebuggerPresent(void)
{
    return FALSE;
}

void WINAPI DebugBreak(void) {}

namespace nirasim {

std::vector<std::u16string> ReadDebugJournal()
{
    Journal& journal = TheJournal();
    std::lock_guard<std::mutex> hold(journal.lock);
    return journal.entries;
}

void ClearDebugJournal()
{
    Journal& journal = TheJournal();
    std::lock_guard<std::mutex> hold(journal.lock);
    journal.entries.clear();
}

bool DebugJournalContains(const std::u16string& text)
{
    for (const std::u16string& entry : ReadDebugJournal()) {
        if (entry.find(text) != std::u16string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace nirasim
