// The sections of a printed plan view: titles, page routines and their order.

#include "view/PlanPrint.h"

#include "view/PlanPages.h"
#include "view/SimplePrinter.h"

namespace terminor {

namespace {

constexpr const char* SectionTitles[PrintSectionCount] = {
    "Terminwünsche",    "Termine der Nachbarmannschaften",         "Kosten",    "Spielplan",
    "Mannschaftspläne", "Mannschaftspläne mit Nachbarmanschaften", "Diagramme",
};

TPrintFunction SectionFunction(TPrintSection section, TPlan& plan) {
    const auto schedule = [&plan](TTerminplanMode mode) -> TPrintFunction {
        return [&plan, mode](TZoomCanvas& canvas, bool forPrint) {
            return DrawTerminplanPage(canvas, plan, mode, forPrint);
        };
    };
    const auto page = [&plan](TPageExtent (*draw)(TZoomCanvas&, TPlan&, bool)) -> TPrintFunction {
        return [&plan, draw](TZoomCanvas& canvas, bool forPrint) { return draw(canvas, plan, forPrint); };
    };
    switch (section) {
    case TPrintSection::TerminWuensche:
        return page(&DrawTerminWuenschePage);
    case TPrintSection::SisterTeams:
        return page(&DrawSisterTeamsPage);
    case TPrintSection::Kosten:
        return page(&DrawKostenPage);
    case TPrintSection::Spielplan:
        return schedule(TTerminplanMode::Spielplan);
    case TPrintSection::Mannschaftsplaene:
        return schedule(TTerminplanMode::Mannschaftsplaene);
    case TPrintSection::MannschaftsplaeneMitNachbarn:
        return schedule(TTerminplanMode::MannschaftsplaeneMitNachbarn);
    case TPrintSection::Diagramme:
        break;
    }
    return page(&DrawDiagramPage);
}

} // namespace

std::string PrintSectionTitle(TPrintSection section) {
    return SectionTitles[static_cast<int>(section)];
}

double PrintZoom(bool landscape) {
    return landscape ? 0.6 : 0.45;
}

double PrintZoom(const TPrintSelection& selection) {
    constexpr double LargeFontFactor = 1.4;
    return PrintZoom(selection.Landscape) * (selection.LargeFont ? LargeFontFactor : 1.0);
}

void PrintPlanSections(TSimplePrinter& printer, TPlan& plan, const TPrintSelection& selection) {
    bool printedBefore = false;
    for (int i = 0; i < PrintSectionCount; ++i) {
        if (!selection.Sections[static_cast<std::size_t>(i)]) {
            continue;
        }
        const auto section = static_cast<TPrintSection>(i);
        printer.print(SectionFunction(section, plan), printedBefore, PrintSectionTitle(section));
        printedBefore = true;
    }
}

} // namespace terminor
