// Fuzzes reading the options file: any bytes must load without failing (broken files give the
// defaults), and the options read must be written as strict XML that reads back to the same
// options and bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/StrictXml.h"
#include "model/CalculateOptions.h"

using namespace terminor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TCalculateOptions options;
    options.LoadFromBytes(bytes);
    const std::string written = options.SaveToBytes();
    if (!test::IsStrictXml(written)) {
        __builtin_trap();
    }
    // Team ids the file's code page cannot hold are written with '?', so the first writing may
    // change them; from then on reading and writing must be stable.
    TCalculateOptions again;
    again.LoadFromBytes(written);
    const std::string rewritten = again.SaveToBytes();
    TCalculateOptions third;
    third.LoadFromBytes(rewritten);
    if (!(third == again) || third.SaveToBytes() != rewritten) {
        __builtin_trap();
    }
    return 0;
}
