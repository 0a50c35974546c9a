#pragma once
// Whether bytes are a well-formed XML 1.0 document for a strict reader (expat): the check that
// every file Terminor writes must pass. Any thread.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include <expat.h>

namespace terminor::test {

namespace strict_xml_detail {

/// ISO-8859-15 differs from ISO-8859-1 in eight places; expat knows only the latter by itself.
inline int Latin9Handler(void*, const XML_Char* name, XML_Encoding* info) {
    std::string lower(name);
    for (char& c : lower) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (lower != "iso-8859-15" && lower != "latin9" && lower != "windows-1252") {
        return XML_STATUS_ERROR;
    }
    for (int i = 0; i < 256; ++i) {
        info->map[i] = i;
    }
    if (lower == "windows-1252") {
        static constexpr std::array<int, 32> High = {
            0x20AC, -1,     0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
            0x2039, 0x0152, -1,     0x017D, -1,     -1,     0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, -1,     0x017E, 0x0178};
        for (int i = 0; i < 32; ++i) {
            info->map[0x80 + i] = High[static_cast<std::size_t>(i)];
        }
    } else {
        info->map[0xA4] = 0x20AC;
        info->map[0xA6] = 0x0160;
        info->map[0xA8] = 0x0161;
        info->map[0xB4] = 0x017D;
        info->map[0xB8] = 0x017E;
        info->map[0xBC] = 0x0152;
        info->map[0xBD] = 0x0153;
        info->map[0xBE] = 0x0178;
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

} // namespace strict_xml_detail

/// Empty when expat accepts the document, else its error with line and column.
inline std::string StrictXmlError(std::string_view bytes) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUnknownEncodingHandler(parser, strict_xml_detail::Latin9Handler, nullptr);
    std::string error;
    if (XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) == XML_STATUS_ERROR) {
        error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " (line " +
                std::to_string(XML_GetCurrentLineNumber(parser)) + ", column " +
                std::to_string(XML_GetCurrentColumnNumber(parser)) + ")";
    }
    XML_ParserFree(parser);
    return error;
}

inline bool IsStrictXml(std::string_view bytes) {
    return StrictXmlError(bytes).empty();
}

} // namespace terminor::test
