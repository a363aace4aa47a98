#include "String.h"

#include <cstdio>
#include <cstring>

CString& CString::operator=(const char* text)
{
    m_text = text != nullptr ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text != nullptr)
        m_text += text;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

CString operator+(const CString& left, const CString& right)
{
    CString result(left);
    result += right;
    return result;
}

CString operator+(const CString& left, const char* right)
{
    CString result(left);
    result += right;
    return result;
}

CString operator+(const char* left, const CString& right)
{
    CString result(left);
    result += right;
    return result;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        m_text.clear();
        return;
    }
    m_text.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(&m_text[0], m_text.size(), format, args);
    m_text.resize(static_cast<size_t>(length));
}

CString CString::Left(int count) const
{
    if (count <= 0)
        return CString();
    return CString(m_text.substr(0, static_cast<size_t>(count)).c_str());
}

CString CString::Mid(int first) const
{
    if (first >= GetLength())
        return CString();
    return CString(m_text.substr(first < 0 ? 0 : static_cast<size_t>(first)).c_str());
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_text.c_str()));
    m_text.resize(static_cast<size_t>(newLength));
}
