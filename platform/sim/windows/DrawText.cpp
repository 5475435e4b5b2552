// DrawTextW: a text laid out in a rectangle as the user interface draws it. Lines break at line
// feeds (unless single-line) and, with DT_WORDBREAK, between words that would pass the right edge;
// an ampersand marks the next character as the keyboard prefix and is not drawn ("&&" draws one)
// unless DT_NOPREFIX. Prefix underlines stay hidden, as Windows keeps them until Alt is pressed.
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr char16_t kPrefix = u'&';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kReturn = u'\r';
constexpr char16_t kSpace = u' ';

std::u16string WithoutPrefixes(const std::u16string& text)
{
    std::u16string shown;
    shown.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == kPrefix && at + 1 < text.size()) {
            ++at;  // "&x" shows x, "&&" one ampersand
        }
        shown += text[at];
    }
    return shown;
}

LONG WidthOf(HDC dc, const std::u16string& line)
{
    SIZE extent{};
    GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(line.data()), static_cast<int>(line.size()), &extent);
    return extent.cx;
}

// Greedy breaking at spaces: a line takes words while it fits; a word wider than the rectangle
// stands alone on its line (and is clipped). Spaces at a break and at the end are dropped.
void BreakParagraph(HDC dc, const std::u16string& paragraph, LONG width, std::vector<std::u16string>& lines)
{
    std::u16string line;
    bool lineHasWord = false;
    size_t at = 0;
    for (;;) {
        const size_t wordStart = paragraph.find_first_not_of(kSpace, at);
        if (wordStart == std::u16string::npos) {
            break;
        }
        size_t wordEnd = paragraph.find(kSpace, wordStart);
        wordEnd = wordEnd == std::u16string::npos ? paragraph.size() : wordEnd;
        std::u16string word = paragraph.substr(wordStart, wordEnd - wordStart);
        std::u16string candidate = line + paragraph.substr(at, wordStart - at) + word;
        if (lineHasWord && WidthOf(dc, candidate) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        lineHasWord = true;
        at = wordEnd;
    }
    lines.push_back(line);
}

std::vector<std::u16string> LinesOf(HDC dc, const std::u16string& text, const RECT& area, UINT format)
{
    std::vector<std::u16string> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(text);
        return lines;
    }
    size_t start = 0;
    for (;;) {
        size_t end = text.find(kLineFeed, start);
        std::u16string paragraph = text.substr(start, end == std::u16string::npos ? end : end - start);
        if (!paragraph.empty() && paragraph.back() == kReturn) {
            paragraph.pop_back();
        }
        if (format & DT_WORDBREAK) {
            BreakParagraph(dc, paragraph, area.right - area.left, lines);
        } else {
            lines.push_back(paragraph);
        }
        if (end == std::u16string::npos) {
            return lines;
        }
        start = end + 1;
    }
}

LONG LineHeight(HDC dc)
{
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc, &metrics)) {
        return metrics.tmHeight;
    }
    SIZE extent{};
    GetTextExtentPoint32W(dc, TEXT(" "), 1, &extent);
    return extent.cy;
}

}  // namespace

int WINAPI DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    if (hdc == nullptr || lpchText == nullptr || lprc == nullptr) {
        return 0;
    }
    const int length = cchText < 0 ? lstrlenW(lpchText) : cchText;
    std::u16string text(lpchText, static_cast<size_t>(length));
    if (!(format & DT_NOPREFIX)) {
        text = WithoutPrefixes(text);
    }
    const std::vector<std::u16string> lines = LinesOf(hdc, text, *lprc, format);
    const LONG lineHeight = LineHeight(hdc);
    LONG y = lprc->top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) {
        y = (lprc->top + lprc->bottom - lineHeight) / 2;
    } else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) {
        y = lprc->bottom - lineHeight;
    }
    const UINT options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
    for (const std::u16string& line : lines) {
        LONG x = lprc->left;
        if (format & DT_RIGHT) {
            x = lprc->right - WidthOf(hdc, line);
        } else if (format & DT_CENTER) {
            x = (lprc->left + lprc->right - WidthOf(hdc, line)) / 2;
        }
        ExtTextOutW(hdc, x, y, options, lprc, reinterpret_cast<LPCWSTR>(line.data()),
                    static_cast<UINT>(line.size()), nullptr);
        y += lineHeight;
    }
    return static_cast<int>(lineHeight * static_cast<LONG>(lines.size()));
}
