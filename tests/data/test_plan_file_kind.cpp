// Recognising plan inputs and schedule files, and checking an output before a long run.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "data/PlanData.h"
#include "data/PlanFileKind.h"
#include "data/XmlFile.h"

using namespace terminor;
using terminor::test::TempDir;

namespace {

std::string Example(const std::string& name) {
    return std::string(TERMINOR_SOURCE_DIR) + "/examples/" + name;
}

const char* const ScheduleText =
    "<terminor><plan><schedule>"
    "<game datetime=\"05.09.2026 18:00\" hometeamname=\"A\" guestteamname=\"B\"/>"
    "</schedule></plan></terminor>";

} // namespace

TEST(PlanFileKind, InputsAreRecognisedAndEverythingElseRefusedByName) {
    TPlanData data;
    EXPECT_EQ(LoadPlanInput(Example("bezirksliga-herren-nord.xml"), data), pfkClickTT);
    EXPECT_EQ(data.root().NamedChilds("team").size(), 12u);
    EXPECT_EQ(LoadPlanInput(Example("bezirksliga-herren-nord.terminor.xml"), data), pfkPlanData);
    EXPECT_NE(data.root().FindChild("ranking"), nullptr);

    TempDir dir;
    const std::string file = dir.File("input.xml");
    const std::pair<std::string, std::pair<TPlanFileKind, std::string>> refused[] = {
        {"<foo><bar/></foo>",
         {pfkOther,
          "Die Datei " + file +
              " ist weder ein click-TT-Export noch eine Plandatei: erwartet wird das Dokumentelement "
              "\"TT\" oder ein Element \"plan\", die Datei hat das Dokumentelement \"foo\" ohne "
              "\"plan\"."}},
        {ScheduleText,
         {pfkSchedule, "Die Datei " + file +
                           " ist ein gemerkter Spielplan (nur \"schedule\", keine Mannschaften), weder eine "
                           "Plandatei noch ein click-TT-Export."}},
        {"<terminor><plan name=\"leer\"/></terminor>",
         {pfkPlanData,
          "Die Plandatei " + file + " enthält keine Mannschaften (kein Element \"team\" unter \"plan\")."}},
        {"<TT name=\"leer\" from=\"01.09.2026\" mid=\"04.01.2027\" until=\"30.04.2027\"/>",
         {pfkClickTT,
          "Der click-TT-Export " + file + " enthält keine Mannschaften (kein \"team\" unter \"teams\")."}},
    };
    for (const auto& [text, expected] : refused) {
        std::ofstream(file) << text;
        try {
            LoadPlanInput(file, data);
            ADD_FAILURE() << text;
        } catch (const EPlanInputError& e) {
            EXPECT_EQ(e.Kind(), expected.first) << text;
            EXPECT_EQ(std::string(e.what()), expected.second);
        }
    }
    // Unreadable files keep the messages of the file layer.
    EXPECT_THROW(LoadPlanInput(dir.File("missing.xml"), data), EFileError);
}

TEST(PlanFileKind, ScheduleInputNeedsGamesUnderPlanSchedule) {
    TempDir dir;
    const std::string file = dir.File("schedule.xml");
    std::ofstream(file) << ScheduleText;
    TPlanData schedule;
    LoadScheduleInput(file, schedule);
    EXPECT_EQ(schedule.root().FindChild("schedule")->NamedChilds("game").size(), 1u);

    const std::pair<std::string, std::string> refused[] = {
        {Example("kreisliga-damen-sued.xml"), "ein click-TT-Export"},
        {Example("bezirksliga-herren-nord.terminor.xml"), "eine Plandatei ohne Spielplan"},
        {"<terminor><plan><schedule/></plan></terminor>", "ein Spielplan ohne Spiele"},
        {"<foo/>", "weder Plandatei noch Spielplan (Dokumentelement \"foo\")"},
    };
    for (const auto& [input, what] : refused) {
        std::string path = input;
        if (input[0] == '<') {
            path = dir.File("other.xml");
            std::ofstream(path) << input;
        }
        try {
            LoadScheduleInput(path, schedule);
            ADD_FAILURE() << input;
        } catch (const EPlanInputError& e) {
            EXPECT_EQ(std::string(e.what()), "Die Datei " + path +
                                                 " ist kein gemerkter Spielplan: erwartet werden Elemente "
                                                 "\"game\" unter plan/schedule, die Datei ist " +
                                                 what + ".");
        }
    }
}

TEST(PlanFileKind, OutputCheckFindsWhatTheWriteWouldRefuse) {
    TempDir dir;
    CheckFileWritable(dir.File("new.xml"));
    const std::string existing = dir.File("old.xml");
    std::ofstream(existing) << "old";
    CheckFileWritable(existing);

    const std::pair<std::string, std::string> refused[] = {
        {dir.File("missing/plan.xml"), "Der Ordner " + dir.File("missing") + " existiert nicht"},
        {existing + "/plan.xml", "Ein Teil des Pfades ist kein Verzeichnis"},
        {dir.path.string(), "Der Pfad ist ein Verzeichnis"},
    };
    for (const auto& [path, reason] : refused) {
        try {
            CheckFileWritable(path);
            ADD_FAILURE() << path;
        } catch (const EFileError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Datei " + path + " kann nicht geschrieben werden. Grund: " + reason);
        }
    }
    std::filesystem::permissions(existing, std::filesystem::perms::owner_read);
    EXPECT_THROW(CheckFileWritable(existing), EFileError) << "write-protected, for root too";
}
