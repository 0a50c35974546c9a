#pragma once
// Printing the plan view: the seven sections a user can choose, with their titles and page
// routines, printed in a fixed order. User-interface thread only.

#include <array>
#include <string>

namespace terminor {

class TPlan;
class TSimplePrinter;

/// The printable sections, in print order.
enum class TPrintSection {
    TerminWuensche,
    SisterTeams,
    Kosten,
    Spielplan,
    Mannschaftsplaene,
    MannschaftsplaeneMitNachbarn,
    Diagramme
};
inline constexpr int PrintSectionCount = 7;

/// What to print and how, as the print selection returns it.
struct TPrintSelection {
    std::array<bool, PrintSectionCount> Sections{true, true, true, true, true, true, true};
    bool Landscape = false;
    /// "Schriftgröße" "groß": everything 1.4 times as large.
    bool LargeFont = false;
};

/// The title a section's pages are headed with.
std::string PrintSectionTitle(TPrintSection section);
/// The zoom of the printout: 0.6 in landscape, 0.45 in portrait.
double PrintZoom(bool landscape);
/// The zoom of a selection: PrintZoom, times 1.4 for the large font.
double PrintZoom(const TPrintSelection& selection);
/// Prints the selected sections in order into a running job, each after the first on a new page.
void PrintPlanSections(TSimplePrinter& printer, TPlan& plan, const TPrintSelection& selection);

} // namespace terminor
