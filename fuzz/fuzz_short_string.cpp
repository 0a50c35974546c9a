// Fuzz target for the short text of a home day: parsing must never misbehave, and every text that
// parses to a home day or blocked date must survive writing it back and reading it again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/DateTime.h"
#include "data/Error.h"
#include "data/HomeDay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace terminor;
    // 05.10.2020, a whole day as the cells of the week grid have.
    constexpr TDateTime CellDay = 44109.0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    THomeDay parsed;
    bool named = false;
    try {
        named = parsed.FromShortString(CellDay, text);
    } catch (const TerminorError&) {
        return 0;
    }
    if (!named) {
        return 0;
    }

    const std::string written = parsed.AsShortString();
    THomeDay reread;
    try {
        if (!reread.FromShortString(CellDay, written)) {
            __builtin_trap();
        }
    } catch (const TerminorError&) {
        __builtin_trap();
    }
    if (!reread.isTheSame(parsed) || !parsed.isTheSame(reread) || reread.AsShortString() != written) {
        __builtin_trap();
    }
    return 0;
}
