#include "XmlChars.h"

#include <array>
#include <vector>

namespace terminor {

namespace {

/// The length of the valid UTF-8 sequence at `i` and its code point, or 0 when there is none.
std::size_t DecodeAt(std::string_view s, std::size_t i, char32_t& cp) {
    const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    std::size_t n = 0;
    char32_t min = 0;
    if ((c & 0xE0) == 0xC0) {
        n = 2;
        cp = c & 0x1Fu;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3;
        cp = c & 0x0Fu;
        min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4;
        cp = c & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return n;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

/// windows-1252 at 0x80 to 0x9F; the five unassigned bytes keep their ISO-8859-1 meaning.
constexpr std::array<char32_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

/// Cleans one value in place; returns how many characters it removed.
std::size_t CleanValue(const char* value, std::string& buffer) {
    buffer.assign(value);
    return DropNonXmlChars(buffer);
}

} // namespace

bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

std::size_t FirstInvalidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const std::size_t n = DecodeAt(text, i, cp);
        if (n == 0) {
            return i;
        }
        i += n;
    }
    return std::string_view::npos;
}

std::string RepairUtf8AsWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const std::size_t n = DecodeAt(text, i, cp);
        if (n > 0) {
            out.append(text.substr(i, n));
            i += n;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : char32_t{byte});
        ++i;
    }
    return out;
}

std::size_t DropNonXmlChars(std::string& text) {
    std::size_t dropped = 0;
    std::size_t out = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const std::size_t n = DecodeAt(text, i, cp);
        if (n == 0) {
            // A broken sequence counts as one character: its lead byte and its continuation bytes.
            ++dropped;
            ++i;
            while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
                ++i;
            }
            continue;
        }
        if (!IsXmlChar(cp)) {
            ++dropped;
            i += n;
            continue;
        }
        for (std::size_t k = 0; k < n; ++k) {
            text[out++] = text[i + k];
        }
        i += n;
    }
    text.resize(out);
    return dropped;
}

bool IsPlainXmlName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!letter(name[0])) {
        return false;
    }
    for (const char c : name.substr(1)) {
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') {
            return false;
        }
    }
    // Names beginning with "xml" in any case are reserved.
    return !(name.size() >= 3 && (name[0] | 0x20) == 'x' && (name[1] | 0x20) == 'm' &&
             (name[2] | 0x20) == 'l');
}

TXmlCleanup CleanXmlTree(pugi::xml_node node) {
    TXmlCleanup result;
    const auto note = [&result](const pugi::xml_node& where) {
        const std::ptrdiff_t offset = where.offset_debug();
        if (offset >= 0 && (result.firstOffset < 0 || offset < result.firstOffset)) {
            result.firstOffset = offset;
        }
    };
    std::string buffer;
    // An explicit stack: a hostile file may nest deeper than the call stack allows.
    std::vector<pugi::xml_node> pending{node};
    while (!pending.empty()) {
        pugi::xml_node current = pending.back();
        pending.pop_back();
        if (current.type() == pugi::node_pcdata || current.type() == pugi::node_cdata) {
            if (const std::size_t n = CleanValue(current.value(), buffer); n > 0) {
                result.droppedChars += n;
                note(current);
                current.set_value(buffer.c_str());
            }
        }
        for (pugi::xml_attribute att = current.first_attribute(); att;) {
            const pugi::xml_attribute next = att.next_attribute();
            if (!IsPlainXmlName(att.name())) {
                ++result.droppedAttributes;
                note(current);
                current.remove_attribute(att);
            } else if (const std::size_t n = CleanValue(att.value(), buffer); n > 0) {
                result.droppedChars += n;
                note(current);
                att.set_value(buffer.c_str());
            }
            att = next;
        }
        for (pugi::xml_node child = current.first_child(); child; child = child.next_sibling()) {
            pending.push_back(child);
        }
    }
    return result;
}

} // namespace terminor
