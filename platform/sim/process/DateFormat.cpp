// GetDateFormatW: a date written with a picture of the locale's short date or the caller's own.
#include "process/DateFormat.h"

#include "core/MachineState.h"
#include "core/Wide.h"

#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

struct DatePatterns {
    std::mutex lock;
    std::map<LCID, std::u16string> shortDates;
};

DatePatterns& Patterns()
{
    static auto* patterns = new DatePatterns;
    return *patterns;
}

ResetHook resetDatePatterns([] {
    std::lock_guard<std::mutex> guard(Patterns().lock);
    Patterns().shortDates.clear();
});

// The short dates of a few locales as Windows gives them; any other locale writes the first.
const struct {
    LCID locale;
    const char16_t* pattern;
} kDefaultShortDates[] = {
    {0x0409, u"M/d/yyyy"},   {0x0407, u"dd.MM.yyyy"}, {0x040C, u"dd/MM/yyyy"},
    {0x0809, u"dd/MM/yyyy"}, {0x0410, u"dd/MM/yyyy"}, {0x0411, u"yyyy/MM/dd"},
};

const char16_t* const kMonthNames[] = {u"January",   u"February", u"March",    u"April",
                                       u"May",       u"June",     u"July",     u"August",
                                       u"September", u"October",  u"November", u"December"};

std::u16string ShortDatePattern(LCID locale)
{
    std::lock_guard<std::mutex> guard(Patterns().lock);
    auto set = Patterns().shortDates.find(locale);
    if (set != Patterns().shortDates.end()) {
        return set->second;
    }
    for (const auto& known : kDefaultShortDates) {
        if (known.locale == locale) {
            return known.pattern;
        }
    }
    return kDefaultShortDates[0].pattern;
}

std::u16string Number(unsigned value, size_t digits)
{
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    while (text.size() < digits) {
        text.insert(text.begin(), u'0');
    }
    return text;
}

// One run of a picture letter written for the date.
std::u16string Field(char16_t letter, size_t count, const SYSTEMTIME& date)
{
    switch (letter) {
    case u'd':
        return Number(date.wDay, count >= 2 ? 2 : 1);
    case u'M':
        if (count >= 3) {
            std::u16string name = kMonthNames[date.wMonth - 1];
            return count == 3 ? name.substr(0, 3) : name;
        }
        return Number(date.wMonth, count);
    default:  // y
        if (count <= 2) {
            return Number(date.wYear % 100, count);
        }
        return Number(date.wYear, 4);
    }
}

std::u16string Formatted(const std::u16string& picture, const SYSTEMTIME& date)
{
    std::u16string text;
    for (size_t i = 0; i < picture.size();) {
        char16_t c = picture[i];
        if (c == u'd' || c == u'M' || c == u'y') {
            size_t count = 0;
            while (i < picture.size() && picture[i] == c) {
                ++count;
                ++i;
            }
            text += Field(c, count, date);
        } else if (c == u'\'') {
            for (++i; i < picture.size(); ++i) {
                if (picture[i] == u'\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                        text += u'\'';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += picture[i];
            }
        } else {
            text += c;
            ++i;
        }
    }
    return text;
}

}  // namespace

void SetShortDatePattern(LCID locale, const std::u16string& pattern)
{
    std::lock_guard<std::mutex> guard(Patterns().lock);
    Patterns().shortDates[locale] = pattern;
}

}  // namespace nirasim::sim

using namespace nirasim::sim;

int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat,
                          LPWSTR lpDateStr, int cchDate)
{
    constexpr DWORD kKnownFlags = LOCALE_NOUSEROVERRIDE | DATE_SHORTDATE | DATE_LONGDATE;
    if ((dwFlags & ~kKnownFlags) != 0 || (lpFormat != nullptr && (dwFlags & ~LOCALE_NOUSEROVERRIDE) != 0)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    SYSTEMTIME date = {};
    FILETIME check;
    if (lpDate == nullptr) {
        GetLocalTime(&date);
    } else if (!SystemTimeToFileTime(lpDate, &check)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    } else {
        date = *lpDate;
    }
    if (cchDate < 0 || (cchDate > 0 && lpDateStr == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LCID locale = Locale == LOCALE_USER_DEFAULT     ? GetUserDefaultLCID()
                  : Locale == LOCALE_SYSTEM_DEFAULT ? GetSystemDefaultLangID()
                                                    : Locale;
    const std::u16string text =
        Formatted(lpFormat != nullptr ? WideFrom(lpFormat) : ShortDatePattern(locale), date);
    const int needed = static_cast<int>(text.size()) + 1;
    if (cchDate == 0) {
        return needed;
    }
    if (!CopyWideOut(text, lpDateStr, static_cast<size_t>(cchDate))) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return needed;
}
