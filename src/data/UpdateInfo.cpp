// INI reading, version comparison and the link check of the update information.

#include "data/UpdateInfo.h"

#include <charconv>
#include <optional>

namespace terminor {

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

/// The part as an integer when the trimmed part is one (optional sign, digits only).
std::optional<long long> AsInteger(std::string_view part) {
    part = Trim(part);
    if (!part.empty() && part.front() == '+') {
        part.remove_prefix(1);
    }
    long long value = 0;
    const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || ec != std::errc() || end != part.data() + part.size()) {
        return std::nullopt;
    }
    return value;
}

int CompareParts(std::string_view a, std::string_view b) {
    const auto na = AsInteger(a);
    const auto nb = AsInteger(b);
    if (na && nb) {
        return *na < *nb ? -1 : (*na > *nb ? 1 : 0);
    }
    // By character codes, as unsigned bytes.
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string_view FirstPart(std::string_view text) {
    return text.substr(0, text.find('.'));
}

} // namespace

TUpdateInfo ReadUpdateInfo(std::string_view iniText) {
    // A byte-order mark does not belong to the first line.
    if (iniText.substr(0, 3) == "\xEF\xBB\xBF") {
        iniText.remove_prefix(3);
    }
    TUpdateInfo info;
    bool inInfo = false;
    bool haveVersion = false;
    bool haveUrl = false;
    while (!iniText.empty()) {
        const std::size_t end = iniText.find('\n');
        const std::string_view line = Trim(iniText.substr(0, end));
        iniText.remove_prefix(end == std::string_view::npos ? iniText.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            inInfo =
                close != std::string_view::npos && SameTextAscii(Trim(line.substr(1, close - 1)), "info");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inInfo || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Unquote(Trim(line.substr(equals + 1)));
        if (!haveVersion && SameTextAscii(key, "version")) {
            info.Version = std::string(value);
            haveVersion = true;
        } else if (!haveUrl && SameTextAscii(key, "url")) {
            info.Url = std::string(value);
            haveUrl = true;
        }
    }
    return info;
}

int CompareVersions(std::string_view a, std::string_view b) {
    while (a.find('.') != std::string_view::npos && b.find('.') != std::string_view::npos) {
        if (const int result = CompareParts(FirstPart(a), FirstPart(b)); result != 0) {
            return result;
        }
        a.remove_prefix(a.find('.') + 1);
        b.remove_prefix(b.find('.') + 1);
    }
    return CompareParts(FirstPart(a), FirstPart(b));
}

bool IsNewerVersion(std::string_view own, std::string_view offered) {
    return !Trim(offered).empty() && CompareVersions(own, offered) < 0;
}

bool IsWebAddress(std::string_view url) {
    std::string_view rest;
    if (url.size() > 7 && SameTextAscii(url.substr(0, 7), "http://")) {
        rest = url.substr(7);
    } else if (url.size() > 8 && SameTextAscii(url.substr(0, 8), "https://")) {
        rest = url.substr(8);
    } else {
        return false;
    }
    for (const char c : url) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F || c == '\\') {
            return false;
        }
    }
    // A host: something before the first '/', '?' or '#', and not only user information.
    const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    const std::size_t at = authority.rfind('@');
    const std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
    return !host.empty() && host.front() != ':';
}

} // namespace terminor
