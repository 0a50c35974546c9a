#pragma once
// The update information a release host offers: an INI document with the section "info" and the
// keys "version" and "url"; the comparison of dotted version texts; and the check that a link from
// that document is a web address the program may open. Plain functions, any thread.

#include <string>
#include <string_view>

namespace terminor {

/// What the update document says; empty texts for missing keys.
struct TUpdateInfo {
    std::string Version;
    std::string Url;
};

/// Reads the keys "version" and "url" of the section "info" from an INI text. Section and key
/// names ignore case, values are trimmed and lose enclosing quotes, the first occurrence counts;
/// lines starting with ';' or '#' are comments. Anything else is ignored, so that any text reads.
TUpdateInfo ReadUpdateInfo(std::string_view iniText);

/// Compares two dotted version texts part by part: negative when `a` is lower, 0 when equal,
/// positive when higher. Parts that both are integers compare as numbers (1.10 > 1.9), others by
/// character codes. Parts beyond the shorter text's last one are not compared (1.2.3.4 == 1.2.3).
int CompareVersions(std::string_view a, std::string_view b);

/// Whether `offered` is a newer version than `own`; an empty offer never is.
bool IsNewerVersion(std::string_view own, std::string_view offered);

/// Whether `url` is an http or https address with a host and no blanks or control characters:
/// only such a link from a downloaded document may be shown and opened.
bool IsWebAddress(std::string_view url);

} // namespace terminor
