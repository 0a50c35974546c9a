#pragma once
// The characters and names XML 1.0 allows, and the clean-up that keeps every other character out
// of what Terminor reads and writes, so that strict readers (expat, xmllint) accept its files.
// Pure functions; any thread.

#include <cstddef>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace terminor {

/// Whether XML 1.0 allows the code point in a document: tab, line feed, carriage return,
/// U+0020 to U+D7FF, U+E000 to U+FFFD and U+10000 to U+10FFFF.
bool IsXmlChar(char32_t c);

/// The byte offset of the first byte that does not begin or continue a valid UTF-8 sequence
/// (overlong forms and surrogates count as invalid), or npos when the text is valid UTF-8.
std::size_t FirstInvalidUtf8(std::string_view text);

/// The text with every invalid UTF-8 byte read as the windows-1252 character it stands for; valid
/// sequences stay as they are.
std::string RepairUtf8AsWindows1252(std::string_view text);

/// Removes invalid UTF-8 sequences and characters XML 1.0 forbids; returns how many it removed
/// (a broken sequence counts once).
std::size_t DropNonXmlChars(std::string& text);

/// Whether Terminor keeps an attribute of this name: an ASCII XML name without colon, which every
/// strict reader accepts.
bool IsPlainXmlName(std::string_view name);

/// What CleanXmlTree removed.
struct TXmlCleanup {
    std::size_t droppedChars = 0;
    std::size_t droppedAttributes = 0;
    /// The smallest offset in the parsed text of a node that lost something; -1 when none.
    std::ptrdiff_t firstOffset = -1;
    bool Empty() const { return droppedChars == 0 && droppedAttributes == 0; }
};

/// Removes forbidden characters from every attribute value and text below `node`, and every
/// attribute whose name IsPlainXmlName refuses.
TXmlCleanup CleanXmlTree(pugi::xml_node node);

} // namespace terminor
