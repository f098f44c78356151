// Only 0x80-0x9F of CP1252 differ from Latin-1, so one 32-entry table holds
// the whole code page.

#include "platform/filer/AnsiCharset.h"

namespace {

// Code points of the bytes 0x80-0x9F; unassigned bytes keep their C1 value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

bool UnicodeToAnsi(char32_t codePoint, std::uint8_t& byte) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        byte = static_cast<std::uint8_t>(codePoint);
        return true;
    }
    for (std::uint8_t i = 0; i < 32; ++i) {
        if (kHighControls[i] == codePoint) {
            byte = static_cast<std::uint8_t>(0x80 + i);
            return true;
        }
    }
    return false;
}

char32_t AnsiToUnicode(std::uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& codePoint) {
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        return false;
    }
    if (text.size() - pos < static_cast<std::size_t>(length)) {
        return false;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<std::uint8_t>(text[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            return false;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return false;
    }
    pos += static_cast<std::size_t>(length);
    return true;
}

std::string Utf16ToAnsi(std::u16string_view units) {
    std::string result;
    result.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        std::uint8_t byte = '?';
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            ++i; // no code point beyond the BMP is in the code page
        } else if (!UnicodeToAnsi(unit, byte)) {
            byte = '?';
        }
        result += static_cast<char>(byte);
    }
    return result;
}

void AppendUtf16(std::u16string& units, char32_t codePoint) {
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        units += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        units += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    } else {
        units += static_cast<char16_t>(codePoint);
    }
}
