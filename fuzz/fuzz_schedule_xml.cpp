// Fuzzes reading a remembered schedule into the plan of the smaller example division: any bytes
// must either load or raise a TerminorError; a schedule read must be written as strict XML and as
// CSV, and the written file must give the same schedule when read again.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/StrictXml.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "model/Plan.h"

using namespace terminor;

namespace {

std::unique_ptr<TPlan> BasePlan;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    TPlanData planData;
    planData.LoadFromClickTTFile(TERMINOR_SOURCE_DIR "/examples/kreisliga-damen-sued.xml");
    BasePlan = std::make_unique<TPlan>();
    BasePlan->Load(planData);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Most mutations break the XML itself; they are refused before the plan is copied, which
    // keeps the executions per second up.
    TPlanData document;
    try {
        document.LoadFromXMLText(bytes, "fuzz.xml");
    } catch (const TerminorError&) {
        return 0;
    }
    TPlan plan;
    plan.Assign(*BasePlan);
    try {
        plan.LoadScheduleFromPlanData(document, "fuzz.xml");
    } catch (const TerminorError&) {
        return 0;
    }
    const std::string written = plan.ScheduleToXmlText();
    if (!test::IsStrictXml(written)) {
        __builtin_trap();
    }
    (void)plan.ScheduleToCsvBytes();

    TPlan reread;
    reread.Assign(*BasePlan);
    try {
        TPlanData document;
        document.LoadFromXMLText(written, "again.xml");
        reread.LoadScheduleFromPlanData(document, "again.xml");
    } catch (const TerminorError&) {
        // The program must read back every schedule it writes.
        __builtin_trap();
    }
    if (reread.ScheduleToXmlText() != written) {
        __builtin_trap();
    }
    return 0;
}
