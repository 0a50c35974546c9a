// libFuzzer target: the click-TT import must reject any malformed export with a TerminorError
// and never crash, hang or leak on it; an export it accepts must save as strict XML.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/StrictXml.h"

#include "data/Error.h"
#include "data/PlanData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    terminor::TPlanData plan;
    try {
        plan.LoadFromClickTTText(bytes, "fuzz.xml");
    } catch (const terminor::TerminorError&) {
        // A rejected export is a valid outcome.
        return 0;
    }
    if (!terminor::test::IsStrictXml(plan.SaveToXMLText())) {
        __builtin_trap();
    }
    return 0;
}
