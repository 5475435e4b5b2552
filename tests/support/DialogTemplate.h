// Builds dialog templates in the DLGTEMPLATEEX layout that RT_DIALOG resources carry, for the
// modules of the tests and of the sample package.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace niratest {

// Class ordinals of the standard controls in a template.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;
constexpr WORD kScrollBarClass = 0x0084;
constexpr WORD kComboBoxClass = 0x0085;

class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const std::u16string& title, DWORD exStyle = 0)
    {
        Put(WORD{1});       // dlgVer
        Put(WORD{0xFFFF});  // signature
        Put(DWORD{0});      // helpID
        Put(exStyle);
        Put(static_cast<DWORD>(style | DS_SETFONT));
        m_countOffset = m_bytes.size();
        Put(WORD{0});
        Put(short{0});
        Put(short{0});
        Put(cx);
        Put(cy);
        Put(WORD{0});  // no menu
        Put(WORD{0});  // the dialog class
        PutText(title);
        Put(WORD{8});    // point size
        Put(WORD{400});  // weight
        Put(BYTE{0});    // italic
        Put(BYTE{1});    // charset
        PutText(TEXT("MS Shell Dlg"));
    }

    // A standard control named by its class ordinal.
    DialogTemplate& Control(WORD classOrdinal, DWORD id, DWORD style, short x, short y, short cx, short cy,
                            const std::u16string& text = TEXT(""), DWORD exStyle = 0)
    {
        Head(id, style, x, y, cx, cy, exStyle);
        Put(WORD{0xFFFF});
        Put(classOrdinal);
        return Tail(text);
    }

    // A control named by its class name (the common controls).
    DialogTemplate& Control(const std::u16string& className, DWORD id, DWORD style, short x, short y,
                            short cx, short cy, const std::u16string& text = TEXT(""))
    {
        Head(id, style, x, y, cx, cy);
        PutText(className);
        return Tail(text);
    }

    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    template <typename T>
    void Put(T value)
    {
        size_t at = m_bytes.size();
        m_bytes.resize(at + sizeof(T));
        std::memcpy(m_bytes.data() + at, &value, sizeof(T));
    }

    void PutText(const std::u16string& text)
    {
        for (char16_t unit : text) {
            Put(static_cast<WORD>(unit));
        }
        Put(WORD{0});
    }

    void Head(DWORD id, DWORD style, short x, short y, short cx, short cy, DWORD exStyle = 0)
    {
        while (m_bytes.size() % 4 != 0) {
            m_bytes.push_back(0);
        }
        Put(DWORD{0});  // helpID
        Put(exStyle);
        Put(static_cast<DWORD>(style | WS_CHILD | WS_VISIBLE));
        Put(x);
        Put(y);
        Put(cx);
        Put(cy);
        Put(id);
    }

    DialogTemplate& Tail(const std::u16string& text)
    {
        PutText(text);
        Put(WORD{0});  // no creation data
        WORD count = 0;
        std::memcpy(&count, m_bytes.data() + m_countOffset, sizeof(count));
        ++count;
        std::memcpy(m_bytes.data() + m_countOffset, &count, sizeof(count));
        return *this;
    }

    std::vector<BYTE> m_bytes;
    size_t m_countOffset = 0;
};

}  // namespace niratest
