#include "PlanUtils.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

#include "Error.h"

namespace terminor {

namespace {

constexpr std::chrono::sys_days Epoch = std::chrono::year{1899} / std::chrono::December / 30;

std::string TwoDigits(unsigned v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02u", v);
    return buf;
}

// Inserts '.' between groups of three digits of a plain digit string.
std::string GroupDigits(std::string_view digits) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            out += '.';
        }
        out += digits[i];
    }
    return out;
}

// Fixed-point text with German separators and `decimals` places. The value is taken with the
// 17 significant digits of a double and rounded half away from zero on those digits, so 0.125
// shows as 0,13 and 2.675 (stored as 2.67499999999999982...) as 2,67.
std::string FormatGrouped(double x, int decimals) {
    if (std::isnan(x)) {
        return "NAN";
    }
    if (std::isinf(x)) {
        return x < 0 ? "-INF" : "INF";
    }
    std::string digits; // significant digits of |x|
    int point = 0;      // number of digits in front of the decimal point (may be <= 0 or > size)
    if (x != 0.0) {
        char buf[64];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 16);
        const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
        const std::size_t e = sci.find('e');
        for (std::size_t i = 0; i < e; ++i) {
            if (sci[i] != '.') {
                digits += sci[i];
            }
        }
        int exponent = 0;
        const char* expBegin = sci.data() + e + 1;
        if (*expBegin == '+') {
            ++expBegin;
        }
        std::from_chars(expBegin, sci.data() + sci.size(), exponent);
        point = exponent + 1;
    }

    // Keep the digits up to `decimals` places after the point and round on the next one.
    const int keep = point + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (static_cast<std::size_t>(keep) < digits.size()) {
        const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (roundUp) {
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') {
                digits[--i] = '0';
            }
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                ++point;
            } else {
                ++digits[i - 1];
            }
        }
    }

    // Lay the kept digits out: the value is 0.<digits> times 10 to the power `point`.
    const auto digitAt = [&digits](int index) {
        return (index >= 0 && static_cast<std::size_t>(index) < digits.size())
                   ? digits[static_cast<std::size_t>(index)]
                   : '0';
    };
    std::string intPart;
    for (int i = 0; i < point; ++i) {
        intPart += digitAt(i);
    }
    const std::size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    std::string fracPart;
    for (int j = 0; j < decimals; ++j) {
        fracPart += digitAt(point + j);
    }

    const bool allZero = intPart == "0" && fracPart.find_first_not_of('0') == std::string::npos;
    std::string out = (x < 0 && !allZero) ? "-" : "";
    out += GroupDigits(intPart);
    if (decimals > 0) {
        out += ',';
        out += fracPart;
    }
    return out;
}

bool IsEscapedChar(char c) {
    switch (c) {
    case '#':
    case '"':
    case '*':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '[':
    case '\\':
    case ']':
    case '|':
        return true;
    default:
        return false;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Length of the UTF-8 character starting at `pos` (1 for stray bytes), so '?' matches one character.
std::size_t CharLength(std::string_view s, std::size_t pos) {
    std::size_t len = 1;
    while (pos + len < s.size() && (static_cast<unsigned char>(s[pos + len]) & 0xC0) == 0x80) {
        ++len;
    }
    return len;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Wildcard match of a file name: '*' any run of characters, '?' exactly one character. Letters
// compare ignoring ASCII case, as file patterns like "*.xml" are meant to find "Plan.XML" too.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += CharLength(name, n);
        } else if (p < pattern.size() && LowerAscii(pattern[p]) == LowerAscii(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            starN += CharLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::string TrimTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Date and time texts

int IsoWeekOfYear(TDateTime value) {
    // The ISO week belongs to the year of its Thursday; week 1 holds that year's first Thursday.
    const int day = DayNumber(value);
    const int thursday = day - DayOfWeekIso(value) + 4;
    const std::chrono::sys_days thursdayDate = Epoch + std::chrono::days{thursday};
    const std::chrono::year_month_day ymd{thursdayDate};
    const std::chrono::sys_days january1 = ymd.year() / std::chrono::January / 1;
    return static_cast<int>((thursdayDate - january1).count() / 7) + 1;
}

int WeekIndex(TDateTime value) {
    return (DayNumber(value) - 2) / 7;
}

TDateTime MondayOfWeek(TDateTime value) {
    return static_cast<TDateTime>(7 * WeekIndex(value) + 2);
}

std::string WeekdayShortName(TDateTime value) {
    static const char* const Names[7] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    return Names[DayOfWeekIso(value) - 1];
}

std::string FormatDayDate(TDateTime value) {
    const DateParts p = DecodeDate(value);
    char year[16];
    std::snprintf(year, sizeof year, "%04d", p.year);
    return WeekdayShortName(value) + " " + TwoDigits(p.day) + "." + TwoDigits(p.month) + "." + year;
}

std::string FormatDayMonth(TDateTime value) {
    const DateParts p = DecodeDate(value);
    return TwoDigits(p.day) + "." + TwoDigits(p.month);
}

std::string FormatTime(TDateTime value) {
    const TimeParts t = DecodeTime(value);
    return TwoDigits(static_cast<unsigned>(t.hour)) + ":" + TwoDigits(static_cast<unsigned>(t.minute));
}

std::string FormatDayDateTime(TDateTime value) {
    return FormatDayDate(value) + " " + FormatTime(value);
}

// ---------------------------------------------------------------------------------------------
// Numbers and durations

std::string FormatValue(double x) {
    const bool withDecimals = x < 10 && x != 0;
    return FormatGrouped(x, withDecimals ? 2 : 0);
}

std::string FormatLargeValue(double x) {
    if (x >= 1'000'000) {
        return FormatGrouped(x / 1'000'000, x < 10'000'000 ? 1 : 0) + " Mio";
    }
    if (x >= 100'000) {
        return FormatGrouped(x / 1'000, 0) + " T";
    }
    return FormatValue(x);
}

std::string FormatInteger(std::int64_t n) {
    // Magnitude as unsigned so that the smallest 64-bit value has no overflow.
    const std::uint64_t magnitude =
        n < 0 ? ~static_cast<std::uint64_t>(n) + 1 : static_cast<std::uint64_t>(n);
    std::string text;
    text.reserve(32);
    if (n < 0) {
        text.push_back('-');
    }
    text.append(GroupDigits(std::to_string(magnitude)));
    if (text.size() >= 3) {
        return text;
    }
    std::string padded(3 - text.size(), ' ');
    padded.append(text);
    return padded;
}

std::string DurationText(std::int64_t milliseconds) {
    const std::int64_t seconds = milliseconds / 1000;
    if (seconds > 59) {
        return std::to_string(seconds / 60) + " Min " + std::to_string(seconds % 60) + " Sek";
    }
    return std::to_string(seconds) + " Sek";
}

double StrToFloatDot(std::string_view text) {
    std::string_view s = text;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    // from_chars takes no '+'; accept one in front of the number (but not "+-1").
    if (s.size() > 1 && s.front() == '+' && s[1] != '-') {
        s.remove_prefix(1);
    }
    double value = 0.0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (s.empty() || res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(value)) {
        throw EConvertError("'" + std::string(text) + "' ist kein gültiger Gleitkommawert");
    }
    return value;
}

std::string ToRoman(int n) {
    static const struct {
        int value;
        const char* letters;
    } Steps[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
                 {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"}};
    std::string out;
    for (const auto& step : Steps) {
        while (n >= step.value) {
            out += step.letters;
            n -= step.value;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Files

std::string EscapeFileName(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (IsEscapedChar(c)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "#%03d", static_cast<int>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeFileName(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '#' && i + 3 < text.size() && IsDigit(text[i + 1]) && IsDigit(text[i + 2]) &&
            IsDigit(text[i + 3])) {
            const unsigned code = static_cast<unsigned>((text[i + 1] - '0') * 100 + (text[i + 2] - '0') * 10 +
                                                        (text[i + 3] - '0'));
            AppendUtf8(out, code);
            i += 4;
        } else {
            out += text[i];
            ++i;
        }
    }
    return out;
}

std::string SanitizeFileName(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (IsEscapedChar(c)) {
            c = '-';
        }
    }
    return out;
}

void ListFiles(const std::string& pattern, std::vector<std::string>& list) {
    namespace fs = std::filesystem;
    list.clear();
    const std::size_t slash = pattern.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash + 1);
    const std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (namePattern.empty()) {
        return;
    }
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) {
        return;
    }
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.' || !MatchesPattern(name, namePattern)) {
            continue;
        }
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            list.push_back(name);
        }
    }
    std::sort(list.begin(), list.end());
}

std::string GetLocalAppDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return TrimTrailingSlashes(xdg);
    }
    std::string home;
    if (const char* env = std::getenv("HOME"); env != nullptr && env[0] != '\0') {
        home = env;
    } else {
        // No HOME in the environment: ask the user database.
        long size = sysconf(_SC_GETPW_R_SIZE_MAX);
        std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
        passwd entry{};
        passwd* found = nullptr;
        if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
            found->pw_dir != nullptr) {
            home = found->pw_dir;
        }
    }
    if (home.empty()) {
        return {};
    }
    return TrimTrailingSlashes(home) + "/.local/share";
}

std::string ProgramVersionText() {
#ifdef TERMINOR_VERSION_TEXT
    const std::string_view version = TERMINOR_VERSION_TEXT;
#else
    const std::string_view version = "0.0.0";
#endif
    // Up to four leading numbers of the version text, missing ones counted as 0.
    int numbers[4] = {0, 0, 0, 0};
    const char* p = version.data();
    const char* end = version.data() + version.size();
    for (int i = 0; i < 4 && p < end; ++i) {
        const auto res = std::from_chars(p, end, numbers[i]);
        if (res.ec != std::errc() || res.ptr == end || *res.ptr != '.') {
            break;
        }
        p = res.ptr + 1;
    }
    return std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." + std::to_string(numbers[2]) +
           "." + std::to_string(numbers[3]);
}

// ---------------------------------------------------------------------------------------------
// Age classes

const std::vector<std::string>& AgeClasses() {
    static const std::vector<std::string> Classes = {
        "Herren",      "Damen",          "Jungen",         "Jungen U18",     "Mädchen",       "Mädchen U18",
        "Schüler",     "Schülerinnen",   "Bambini",        "Senioren 40",    "Senioren 50",   "Senioren 60",
        "Senioren 70", "Seniorinnen 40", "Seniorinnen 50", "Seniorinnen 60", "Seniorinnen 70"};
    return Classes;
}

void FillAgeClasses(std::vector<std::string>& list) {
    list = AgeClasses();
}

} // namespace terminor
