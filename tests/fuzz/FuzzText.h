// The fuzzer's bytes as a NUL-terminated text, as a control or the platform
// would hand it over: up to the first NUL, in a block of exactly its length
// plus the NUL, so that AddressSanitizer sees any read beyond its end (a
// std::string's spare capacity would hide one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

class CFuzzText {
public:
    CFuzzText(const uint8_t* data, size_t size)
        : m_length(strnlen(reinterpret_cast<const char*>(data), size)),
          m_text(new char[m_length + 1])
    {
        std::memcpy(m_text.get(), data, m_length);
        m_text[m_length] = '\0';
    }

    const char* c_str() const { return m_text.get(); }
    std::string str() const { return std::string(m_text.get(), m_length); }

private:
    size_t m_length;
    std::unique_ptr<char[]> m_text;
};
