// THomeDay: equality, the short-text form of the week grid and sorting by date.

#include "HomeDay.h"

#include <algorithm>
#include <climits>

#include "DateTime.h"
#include "Error.h"

namespace terminor {

namespace {

/// The low double quote „ (U+201E) in UTF-8; it stands for a straight quote inside a location.
constexpr std::string_view LowQuote = "\xE2\x80\x9E";

bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsTrimmed(text[first])) {
        ++first;
    }
    while (last > first && IsTrimmed(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string UpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) {
            break;
        }
        result.append(text.substr(pos, hit - pos));
        result.append(to);
        pos = hit + from.size();
    }
    if (pos < text.size()) {
        result.append(text.substr(pos));
    }
    return result;
}

/// Length in bytes of the UTF-8 character starting at `pos`; a malformed byte counts as one character.
std::size_t CharLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t len = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4;
    }
    if (pos + len > text.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < len; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if (c < 0x80 || c > 0xBF) {
            return 1;
        }
    }
    return len;
}

std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        ++count;
    }
    return count;
}

/// Up to `count` characters from the character with the 0-based index `first`.
std::string_view CharSlice(std::string_view text, std::size_t first, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < first && pos < text.size(); ++i) {
        pos += CharLength(text, pos);
    }
    std::size_t end = pos;
    for (std::size_t i = 0; i < count && end < text.size(); ++i) {
        end += CharLength(text, end);
    }
    return text.substr(pos, end - pos);
}

/// A field of decimal digits as number, -1 when it is empty, holds another character or exceeds int.
int ParseNumber(std::string_view text) {
    if (text.empty()) {
        return -1;
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
        if (value > INT_MAX) {
            return -1;
        }
    }
    return static_cast<int>(value);
}

/// The digit at byte `pos` (an ASCII position), -1 when there is none.
int DigitAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') {
        return -1;
    }
    return text[pos] - '0';
}

/// The time "hh:mm" at the start of `text` as day fraction, or -1 when the text names no time.
/// Hour and minute are only looked at when the third character is ':'; a field that is not a
/// number means no time, an hour above 23 or a minute above 59 throws EConvertError.
TDateTime ReadTime(std::string_view text) {
    if (text.size() < 3 || text[2] != ':') {
        return -1.0;
    }
    const int hour = ParseNumber(text.substr(0, 2));
    const int minute = ParseNumber(text.substr(3, 2));
    if (hour < 0 || minute < 0) {
        return -1.0;
    }
    return EncodeTime(hour, minute);
}

/// The location of an "L:" token: enclosing straight quotes removed, „ turned back into ".
std::string UnquoteLocation(std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return ReplaceAll(text, LowQuote, "\"");
}

/// The location as written into a short text: " becomes „; a text that the tokeniser would
/// split or trim (a blank or another control character) is enclosed in straight quotes.
std::string QuoteLocation(std::string_view location) {
    std::string result = ReplaceAll(location, "\"", LowQuote);
    if (std::any_of(result.begin(), result.end(), IsTrimmed)) {
        result = "\"" + result + "\"";
    }
    return result;
}

} // namespace

bool THomeDay::isTheSame(const THomeDay& value) const {
    if (!NoDate && !SperrTermin && !value.NoDate && !value.SperrTermin) {
        return Date == value.Date && KoppelDate == value.KoppelDate &&
               KoppelAuswaertsSecondTime == value.KoppelAuswaertsSecondTime &&
               DoubleDate == value.DoubleDate && KoppelPrio == value.KoppelPrio &&
               KoppelSecondTime == value.KoppelSecondTime && AusweichTermin == value.AusweichTermin &&
               Location == value.Location && MaxParallelGame == value.MaxParallelGame;
    }
    if (!NoDate && !value.NoDate) {
        return Date == value.Date && SperrTermin && value.SperrTermin;
    }
    return Date == value.Date && NoDate && value.NoDate;
}

std::string THomeDay::AsShortString() const {
    if (NoDate) {
        return {};
    }
    if (SperrTermin) {
        return "FREI";
    }
    std::string result = TimeToStorage(Date);
    if (AusweichTermin) {
        result += " A";
    }
    if (KoppelDate) {
        result += " K" + std::to_string(KoppelPrio) + ":" + TimeToStorage(KoppelSecondTime);
    } else if (KoppelAuswaertsSecondTime) {
        result += " T2:" + TimeToStorage(KoppelSecondTime);
    }
    if (DoubleDate) {
        result += " D" + std::to_string(KoppelPrio);
    }
    if (MaxParallelGame > 0) {
        result += " Max:" + std::to_string(MaxParallelGame);
    }
    if (!Location.empty()) {
        result += " L:" + QuoteLocation(Location);
    }
    return result;
}

bool THomeDay::FromShortString(TDateTime date, std::string_view value) {
    *this = THomeDay{};
    value = Trim(value);
    if (value.empty()) {
        NoDate = true;
    }
    bool result = false;
    for (const std::string& token : TokenizeShortString(value)) {
        const std::string upper = UpperAscii(token);
        if (upper == "FREI") {
            SperrTermin = true;
            result = true;
            continue;
        }
        const TDateTime kickOff = ReadTime(token);
        if (kickOff >= 0) {
            result = true;
            Date = NormalizeDateTime(date + kickOff);
        }
        if (upper == "A") {
            AusweichTermin = true;
        }
        if (StartsWith(upper, "L:")) {
            Location = UnquoteLocation(std::string_view(token).substr(2));
        }
        if (!DoubleDate && !KoppelAuswaertsSecondTime && StartsWith(upper, "K") && CharCount(token) > 7) {
            const TDateTime second = ReadTime(CharSlice(token, 3, 5));
            const int prio = DigitAt(token, 1);
            if (second >= 0 && prio >= 0 && prio <= 2) {
                KoppelDate = true;
                KoppelPrio = prio;
                KoppelSecondTime = second;
            }
        }
        if (!KoppelDate && StartsWith(upper, "D") && token.size() > 1) {
            const int prio = DigitAt(token, 1);
            if (prio >= 0 && prio <= 2) {
                DoubleDate = true;
                KoppelPrio = prio;
            }
        }
        if (!KoppelDate && StartsWith(upper, "T2") && CharCount(token) > 7) {
            const TDateTime second = ReadTime(CharSlice(token, 3, 5));
            if (second >= 0) {
                KoppelAuswaertsSecondTime = true;
                KoppelSecondTime = second;
            }
        }
        if (StartsWith(upper, "MAX:") && token.size() >= 5) {
            const int maxGames = ParseNumber(std::string_view(token).substr(4));
            if (maxGames >= 0) {
                MaxParallelGame = maxGames;
            }
        }
    }
    if (SperrTermin) {
        *this = THomeDay{};
        Date = DateOf(date);
        SperrTermin = true;
    }
    return result;
}

int THomeDayComparer::Compare(const THomeDay& left, const THomeDay& right) {
    if (left.Date < right.Date) {
        return -1;
    }
    if (left.Date > right.Date) {
        return 1;
    }
    return 0;
}

void THomeDayList::Sort() {
    std::stable_sort(begin(), end(), THomeDayComparer{});
}

std::vector<std::string> TokenizeShortString(std::string_view text) {
    std::vector<std::string> tokens;
    std::string piece;
    bool inQuotes = false;
    auto flush = [&] {
        const std::string_view trimmed = Trim(piece);
        if (!trimmed.empty()) {
            tokens.emplace_back(trimmed);
        }
        piece.clear();
    };
    for (char c : text) {
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ' ' && !inQuotes) {
            flush();
            continue;
        }
        piece += c;
    }
    flush();
    return tokens;
}

} // namespace terminor
