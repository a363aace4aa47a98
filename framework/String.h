// CString: a narrow string in the ANSI code page that copies by value, with
// the printf-style Format that the program's texts are built with.
#pragma once

#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text != nullptr ? text : "") {}
    CString(const char* text, int length) : m_text(text, static_cast<size_t>(length)) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    operator const char*() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }
    char GetAt(int index) const { return m_text[static_cast<size_t>(index)]; }

    CString& operator=(const char* text);
    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    friend CString operator+(const CString& left, const CString& right);
    friend CString operator+(const CString& left, const char* right);
    friend CString operator+(const char* left, const CString& right);

    bool operator==(const CString& other) const { return m_text == other.m_text; }
    bool operator!=(const CString& other) const { return m_text != other.m_text; }
    bool operator==(const char* other) const { return m_text == (other != nullptr ? other : ""); }
    bool operator!=(const char* other) const { return !(*this == other); }

    // Replaces the contents with the formatted text, as printf would write it.
    void Format(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* format, va_list args);

    CString Left(int count) const;
    CString Mid(int first) const;

    // A writable buffer of at least minLength characters, for platform calls
    // that fill a text in place; ReleaseBuffer takes the length back (up to
    // the first NUL when newLength is -1).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    std::string m_text;
};
