#include "common/NiraException.h"

#include <strsafe.h>

#include <new>

namespace {

// The text each descriptive buffer starts with, and stands in for a missing one.
const char kNoText[] = "NULL";

}  // namespace

CNiraException::CNiraException(LONG code)
    : m_code(code),
      m_text1(NewText(kNoText)),
      m_text2(NewText(kNoText)),
      m_extra(0),
      m_text3(NewText(kNoText))
{}

CNiraException::CNiraException(const CNiraException& other)
    : m_code(other.m_code),
      m_text1(NewText(other.m_text1 ? other.m_text1 : kNoText)),
      m_text2(NewText(other.m_text2 ? other.m_text2 : kNoText)),
      m_extra(other.m_extra),
      m_text3(NewText(other.m_text3 ? other.m_text3 : kNoText))
{}

CNiraException::~CNiraException()
{
    m_code = 0;
    m_extra = 0;
    delete[] m_text1;
    delete[] m_text2;
    delete[] m_text3;
    m_text1 = m_text2 = m_text3 = nullptr;
}

char* CNiraException::NewText(const char* source)
{
    // An exception must still be constructible when memory runs out: the text is then left out.
    char* text = new (std::nothrow) char[kTextSize];
    if (text) {
        StringCchCopyA(text, kTextSize, source);
    }
    return text;
}
