// terminor-cli lock: the game is named by its two teams and its date; the change goes where the
// desktop program keeps its data changes: into the plan file, or beside a click-TT export into
// its modifications file (merged with the earlier modifications; the export itself is never
// written).

#include "LockCommand.h"

#include <filesystem>
#include <iostream>
#include <vector>

#include "Output.h"
#include "PlanInput.h"
#include "data/DataObject.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"
#include "data/PredefinedGames.h"
#include "model/Plan.h"

namespace terminor::cli {

namespace {

namespace fs = std::filesystem;

struct TLockedGame {
    std::string home;
    std::string guest;
    TDateTime dateTime = 0;
};

TLockedGame ParseGame(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', start)) {
        parts.push_back(TrimBlanks(std::string_view(text).substr(start, bar - start)));
        start = bar + 1;
    }
    parts.push_back(TrimBlanks(std::string_view(text).substr(start)));
    const auto invalid = [&text] {
        return TerminorError("Ungültige Angabe für --game: \"" + text +
                             "\"; erwartet wird \"HEIM|GAST|TT.MM.JJJJ hh:mm\".");
    };
    if (parts.size() != 3 || parts[0].empty() || parts[1].empty() || parts[2].size() != 16) {
        throw invalid();
    }
    TLockedGame game{parts[0], parts[1], 0};
    try {
        game.dateTime = StorageToDateTime(parts[2]);
    } catch (const EConvertError&) {
        throw invalid();
    }
    if (FormatDayDateTime(game.dateTime).substr(3) != parts[2]) {
        throw invalid();
    }
    return game;
}

const TMannschaft& TeamOf(const TPlan& plan, const std::string& name) {
    const TMannschaft* team = plan.Mannschaften.FindByName(name);
    if (team == nullptr) {
        throw TerminorError("Die Mannschaft \"" + name + "\" gibt es in der Staffel " + plan.PlanName +
                            " nicht.");
    }
    return *team;
}

} // namespace

int RunLock(const LockArgs& args) {
    const TLockedGame game = ParseGame(args.game);
    TPlanData data;
    const bool isExport = LoadInput(args.input, data) == pfkClickTT;
    TPlanData exported;
    std::string target = args.output.empty() ? args.input : args.output;
    if (isExport) {
        exported.assign(data);
        const std::string modifications = fs::path(args.input).replace_extension("modifications").string();
        if (fs::exists(modifications)) {
            TPlanData diff;
            diff.LoadFromXML(modifications);
            data.Merge(diff);
        }
        if (args.output.empty()) {
            target = modifications;
        }
    }
    CheckOutput(isExport ? args.input : std::string(), target);

    TPlan plan;
    plan.Load(data);
    const TMannschaft& home = TeamOf(plan, game.home);
    const TMannschaft& guest = TeamOf(plan, game.guest);
    if (&home == &guest) {
        throw TerminorError("Heim- und Gastmannschaft sind dieselbe: " + game.home + ".");
    }
    const std::string what = game.home + " - " + game.guest + " am " + FormatDayDateTime(game.dateTime);
    if (args.unlock) {
        if (!UnlockGame(data, game.home, game.guest, game.dateTime)) {
            throw TerminorError("Die Begegnung " + what + " ist nicht festgelegt.");
        }
        std::cerr << "Festlegung aufgehoben: " << what << "\n";
    } else {
        const TWunschTermin* wish = home.WunschTermine.Find(game.dateTime);
        if (wish == nullptr) {
            std::cerr << "Achtung: " << FormatDayDateTime(game.dateTime) << " ist kein Wunschtermin von "
                      << game.home << ".\n";
        }
        if (!LockGame(data, game.home, game.guest, game.dateTime, wish != nullptr ? wish->Location : "")) {
            std::cerr << "Die Begegnung " << what << " ist bereits festgelegt.\n";
            return ExitDone;
        }
        std::cerr << "Begegnung festgelegt: " << what << "\n";
    }
    if (isExport) {
        TPlanData diff;
        diff.Diff(data, exported);
        WriteOutput(target, diff.SaveToXMLText(), "Änderungsdatei");
    } else {
        WriteOutput(target, data.SaveToXMLText(), "Plandatei");
    }
    return ExitDone;
}

} // namespace terminor::cli
