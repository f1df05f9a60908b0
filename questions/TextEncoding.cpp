// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextEncoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace quorvex::questions {
namespace {

// Where Windows-1252 differs from Latin-1: the characters of bytes 0x80 to 0x9F.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t windows1252Character(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte};
}

qsizetype utf8Length(char16_t c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        // Question files are mostly ASCII: skip it eight bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if ((word & 0x8080808080808080u) != 0) {
                break;
            }
            p += 8;
        }
        if (p == end) {
            break;
        }
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        qsizetype length = 0;
        char32_t code = 0;
        char32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1Fu;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0Fu;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07u;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (end - p < length) {
            return false;
        }
        for (qsizetype i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (p[i] & 0x3Fu);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        p += length;
    }
    return true;
}

QByteArray windows1252ToUtf8(QByteArrayView bytes)
{
    // Sized exactly first, so a large file costs one allocation and no slack.
    qsizetype size = 0;
    for (const char byte : bytes) {
        size += utf8Length(windows1252Character(static_cast<unsigned char>(byte)));
    }
    QByteArray utf8(size, Qt::Uninitialized);
    char* out = utf8.data();
    for (const char byte : bytes) {
        const char16_t c = windows1252Character(static_cast<unsigned char>(byte));
        if (c < 0x80) {
            *out++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *out++ = static_cast<char>(0xC0 | (c >> 6));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            *out++ = static_cast<char>(0xE0 | (c >> 12));
            *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

} // namespace quorvex::questions
