#pragma once
// Recognising what an XML file holds before it is used as the input of a plan or as a schedule:
// a click-TT export, a plan data file, a remembered schedule or something else. Both front ends
// load their input through here, so that a wrong file is refused with the same German text.

#include <cstdint>
#include <string>

#include "Error.h"

namespace terminor {

class TPlanData;
class TXmlDocument;

enum class TPlanFileKind : std::uint8_t {
    pfkClickTT,  ///< document element "TT"
    pfkPlanData, ///< a "plan" element with teams (or with neither teams nor schedule)
    pfkSchedule, ///< a "plan" element with a "schedule" and no teams
    pfkOther     ///< no "plan" element under the document element
};
using enum TPlanFileKind;

/// A file that is not what it was given as; Kind() tells what it is instead.
class EPlanInputError : public EFileError {
public:
    EPlanInputError(const std::string& message, TPlanFileKind kind) : EFileError(message), FKind(kind) {}
    TPlanFileKind Kind() const { return FKind; }

private:
    TPlanFileKind FKind;
};

TPlanFileKind PlanFileKindOf(const TXmlDocument& doc);

/// Reads the input of a plan: a click-TT export (document element "TT") or a plan data file.
/// Throws EFileError when the file cannot be read or parsed, and EPlanInputError for a file
/// without "plan" element, a remembered schedule, or an input without teams. Returns
/// pfkClickTT or pfkPlanData.
TPlanFileKind LoadPlanInput(const std::string& path, TPlanData& planData);

/// Reads a remembered schedule file; throws EPlanInputError when it holds no game under
/// plan/schedule (a click-TT export, a plan data file or an empty schedule).
void LoadScheduleInput(const std::string& path, TPlanData& schedule);

/// Reads a remembered schedule file as the window does: any plan data document, so that one
/// without games under plan/schedule leaves the plan that takes it without dates. Throws
/// EPlanInputError for a click-TT export or a file without "plan" element.
void LoadScheduleDocument(const std::string& path, TPlanData& schedule);

} // namespace terminor
