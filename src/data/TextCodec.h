#pragma once
// Conversion of texts between UTF-8 and the single-byte code pages Terminor reads and writes.

#include <string>
#include <string_view>

namespace terminor {

/// Converts text in `charset` (an iconv name such as "ISO-8859-15" or "UTF-16LE") to UTF-8;
/// throws EConvertError when the charset is unknown or the bytes are invalid in it.
std::string ToUtf8(std::string_view bytes, const char* charset);

/// Converts UTF-8 text to `charset`; a character the code page cannot hold becomes '?'.
/// Invalid UTF-8 sequences also become '?'.
std::string FromUtf8(std::string_view utf8, const char* charset);

/// Whether `charset` holds every character of the UTF-8 text, so that FromUtf8 writes no '?' for it.
bool CanEncode(std::string_view utf8, const char* charset);

} // namespace terminor
