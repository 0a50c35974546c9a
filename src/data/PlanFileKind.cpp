#include "PlanFileKind.h"

#include <string_view>

#include "PlanData.h"
#include "XmlFile.h"

namespace terminor {

namespace {

pugi::xml_node PlanElement(const TXmlDocument& doc) {
    return doc.documentElement().child("plan");
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    return quoted;
}

} // namespace

TPlanFileKind PlanFileKindOf(const TXmlDocument& doc) {
    if (std::string_view(doc.documentElement().name()) == "TT") {
        return pfkClickTT;
    }
    const pugi::xml_node plan = PlanElement(doc);
    if (!plan) {
        return pfkOther;
    }
    if (!plan.child("team") && plan.child("schedule")) {
        return pfkSchedule;
    }
    return pfkPlanData;
}

TPlanFileKind LoadPlanInput(const std::string& path, TPlanData& planData) {
    TXmlDocument doc;
    doc.LoadFile(path);
    const TPlanFileKind kind = PlanFileKindOf(doc);
    switch (kind) {
    case pfkOther:
        throw EPlanInputError("Die Datei " + path +
                                  " ist weder ein click-TT-Export noch eine Plandatei: erwartet wird das "
                                  "Dokumentelement \"TT\" oder ein Element \"plan\", die Datei hat das "
                                  "Dokumentelement " +
                                  Quoted(doc.documentElement().name()) + " ohne \"plan\".",
                              kind);
    case pfkSchedule:
        throw EPlanInputError("Die Datei " + path +
                                  " ist ein gemerkter Spielplan (nur \"schedule\", keine Mannschaften), "
                                  "weder eine Plandatei noch ein click-TT-Export.",
                              kind);
    case pfkClickTT:
        planData.LoadFromClickTTDocument(doc);
        break;
    case pfkPlanData:
        planData.LoadFromXMLDocument(doc);
        break;
    }
    if (planData.root().NamedChilds("team").empty()) {
        throw EPlanInputError(kind == pfkClickTT
                                  ? "Der click-TT-Export " + path +
                                        " enthält keine Mannschaften (kein \"team\" unter \"teams\")."
                                  : "Die Plandatei " + path +
                                        " enthält keine Mannschaften (kein Element \"team\" unter \"plan\").",
                              kind);
    }
    return kind;
}

namespace {

EPlanInputError NotASchedule(const std::string& path, const TXmlDocument& doc, TPlanFileKind kind) {
    std::string what;
    switch (kind) {
    case pfkClickTT:
        what = "ein click-TT-Export";
        break;
    case pfkPlanData:
        what = "eine Plandatei ohne Spielplan";
        break;
    case pfkSchedule:
        what = "ein Spielplan ohne Spiele";
        break;
    case pfkOther:
        what =
            "weder Plandatei noch Spielplan (Dokumentelement " + Quoted(doc.documentElement().name()) + ")";
        break;
    }
    return EPlanInputError("Die Datei " + path +
                               " ist kein gemerkter Spielplan: erwartet werden Elemente \"game\" unter "
                               "plan/schedule, die Datei ist " +
                               what + ".",
                           kind);
}

} // namespace

void LoadScheduleInput(const std::string& path, TPlanData& schedule) {
    TXmlDocument doc;
    doc.LoadFile(path);
    const TPlanFileKind kind = PlanFileKindOf(doc);
    const pugi::xml_node games = PlanElement(doc).child("schedule");
    if (kind != pfkClickTT && games.child("game")) {
        schedule.LoadFromXMLDocument(doc);
        return;
    }
    throw NotASchedule(path, doc, kind);
}

void LoadScheduleDocument(const std::string& path, TPlanData& schedule) {
    TXmlDocument doc;
    doc.LoadFile(path);
    const TPlanFileKind kind = PlanFileKindOf(doc);
    if (kind == pfkClickTT || kind == pfkOther) {
        throw NotASchedule(path, doc, kind);
    }
    schedule.LoadFromXMLDocument(doc);
}

} // namespace terminor
