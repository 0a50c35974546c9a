// Fuzzes loading a plan data file: any bytes must either load or raise a TerminorError.
// A loaded document must save as strict XML, load back into an equal tree, and diff/merge with
// itself.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/StrictXml.h"
#include "data/Error.h"
#include "data/PlanData.h"

using namespace terminor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TPlanData plan;
    try {
        plan.LoadFromXMLText(bytes, "fuzz.xml");
    } catch (const TerminorError&) {
        return 0;
    }
    const std::string written = plan.SaveToXMLText();
    if (!test::IsStrictXml(written)) {
        __builtin_trap();
    }
    try {
        TPlanData again;
        again.LoadFromXMLText(written, "again.xml");
        if (!TDataObject::NodesAreTheSame(&plan.root(), &again.root())) {
            __builtin_trap();
        }
        TPlanData diff;
        diff.Diff(again, plan);
        TPlanData merged;
        merged.assign(plan);
        merged.Merge(diff);
        if (!TDataObject::NodesAreTheSame(&merged.root(), &again.root())) {
            __builtin_trap();
        }
    } catch (const TerminorError&) {
        // Duplicate keys make lookups fail with a message; that is an accepted outcome.
    }
    return 0;
}
