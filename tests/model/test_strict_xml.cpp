// Every file Terminor writes is XML 1.0 that strict readers accept (expat, and xmllint when it is
// installed), whatever characters reached the data; characters XML forbids in a file read are
// dropped with a German warning and never written back.

#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "common/StrictXml.h"
#include "common/TempDir.h"
#include "data/PlanData.h"
#include "model/CalculateOptions.h"
#include "model/ModelTestUtil.h"

using namespace terminor;
using namespace terminor::test;

namespace {

/// A team name with a control character, a character XML forbids, invalid UTF-8 and a tab.
const std::string DirtyName = "TTC\x01 Gr\xC3\xBCn\x1F-Wei\xC3\x9F\xEF\xBF\xBE \xFF"
                              "2\tx";
const std::string CleanName = "TTC Grün-Weiß 2\tx";

std::string TwoTeamPlan(const std::string& firstName) {
    return "<plan name=\"Liga\" from=\"01.09.2026\" mid=\"01.01.2027\" until=\"30.04.2027\">"
           "<team teamname=\"" +
           firstName +
           "\" teamid=\"1\" clubid=\"7\">"
           "<homegameday datetime=\"05.09.2026 18:00\"/><homegameday datetime=\"09.01.2027 18:00\"/></team>"
           "<team teamname=\"SV B\" teamid=\"2\" clubid=\"8\">"
           "<homegameday datetime=\"12.09.2026 18:00\"/><homegameday datetime=\"16.01.2027 18:00\"/></team>"
           "</plan>";
}

/// Expat's verdict, and xmllint's on the same bytes written to a file when xmllint is there.
void ExpectStrict(const std::string& bytes, const std::string& what) {
    EXPECT_EQ(StrictXmlError(bytes), "") << what << ":\n" << bytes.substr(0, 400);
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0) {
        return;
    }
    TempDir dir;
    const std::string file = dir.File("written.xml");
    std::ofstream(file, std::ios::binary) << bytes;
    EXPECT_EQ(std::system(("xmllint --noout '" + file + "' 2>/dev/null").c_str()), 0) << what;
}

} // namespace

TEST(StrictXml, EveryKindOfFileIsWrittenWithoutForbiddenCharacters) {
    // A name that reached the data past the readers (typed or pasted into a dialog).
    TPlanData data;
    data.LoadFromXMLText("<terminor>" + TwoTeamPlan("TTC A") + "</terminor>", "plan.xml");
    data.root().NamedChilds("team")[0]->SetAsString("teamname", DirtyName);
    data.root().NamedChilds("team")[0]->SetAsString("teamid", "id\x02"
                                                              "1");
    const std::string planText = data.SaveToXMLText();
    ExpectStrict(planText, "plan file");
    EXPECT_EQ(planText.find("&#01;"), std::string::npos) << planText;
    TPlanData reread;
    reread.LoadFromXMLText(planText, "plan.xml");
    EXPECT_EQ(reread.root().NamedChilds("team")[0]->GetAsString("teamname"), CleanName);
    EXPECT_TRUE(reread.LoadWarnings().empty());

    TPlanData before;
    before.LoadFromXMLText("<terminor>" + TwoTeamPlan("TTC A") + "</terminor>", "plan.xml");
    TPlanData diff;
    diff.Diff(data, before);
    ExpectStrict(diff.SaveToXMLText(), "modifications file");

    TPlan plan;
    plan.Load(data);
    ExpectStrict(plan.ScheduleToXmlText(), "schedule file");

    TCalculateOptions options;
    options.GewichtungMannschaften.addMain("id\x02"
                                           "1\x7F\xC2\x85",
                                           coHoch);
    options.GewichtungMannschaften.addMain("Gr\xC3\xBCn\xE2\x82\xAC", coWenig);
    ExpectStrict(options.SaveToBytes(), "options file");
    TCalculateOptions rereadOptions;
    rereadOptions.LoadFromBytes(options.SaveToBytes());
    EXPECT_EQ(rereadOptions.GewichtungMannschaften.getMain("Gr\xC3\xBCn\xE2\x82\xAC"), coWenig);
}

TEST(StrictXml, ForbiddenCharactersAreDroppedOnReadingWithAWarning) {
    // A damaged click-TT export: a raw control character, character references to forbidden
    // characters and a surrogate in the team names.
    const std::string exportText =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TT name=\"Liga\" id=\"1\" gender=\"Damen\" "
        "from=\"01.09.2026\" mid=\"01.01.2027\" until=\"30.04.2027\">\n<teams>\n"
        "<team clubId=\"7\" id=\"1\"><name>TTC\x01 A&#1;&#x1F;</name></team>\n"
        "<team clubId=\"8\" id=\"2\"><name>SV&#xFFFE; B&#xD800;</name></team>\n"
        "</teams></TT>";
    TPlanData data;
    data.LoadFromClickTTText(exportText, "export.xml");
    std::vector<std::string> names;
    data.getTeamNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"SV B", "TTC A"}));
    ASSERT_EQ(data.LoadWarnings().size(), 1u);
    EXPECT_EQ(data.LoadWarnings()[0], "Die Datei export.xml enthält 5 Zeichen, die in XML nicht erlaubt sind "
                                      "(Steuerzeichen), zuerst in Zeile 4. Sie wurden beim Lesen entfernt.");
    ExpectStrict(data.SaveToXMLText(), "plan file of the damaged export");

    // Attribute names strict readers refuse are dropped too; a clean file has no warning.
    TPlanData plan;
    plan.LoadFromXMLText("<terminor><plan name=\"L\" \xC3\xA4x=\"1\" y=\"a&#0;b\"/></terminor>", "p.xml");
    ASSERT_EQ(plan.LoadWarnings().size(), 1u);
    EXPECT_NE(plan.LoadWarnings()[0].find("1 Attribut mit ungültigem Namen"), std::string::npos)
        << plan.LoadWarnings()[0];
    ExpectStrict(plan.SaveToXMLText(), "plan file with a dropped attribute");
    plan.LoadFromXMLText("<terminor><plan name=\"L\"/></terminor>", "p.xml");
    EXPECT_TRUE(plan.LoadWarnings().empty());
}

TEST(StrictXml, StrayBytesInAFileDeclaredUtf8AreReadAsWindows1252) {
    TPlanData data;
    data.LoadFromXMLText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<terminor>\n"
                         "<plan name=\"Gr\xC3\xBCn \x96 Gr\xFCn\"/></terminor>",
                         "mixed.xml");
    EXPECT_EQ(data.root().GetAsString("name"), "Grün – Grün");
    ASSERT_EQ(data.LoadWarnings().size(), 1u);
    EXPECT_EQ(data.LoadWarnings()[0],
              "Die Datei mixed.xml ist nicht durchgehend UTF-8-kodiert, wie ihre XML-Deklaration angibt "
              "(zuerst in Zeile 3); die ungültigen Bytes wurden als Windows-1252 gelesen. Bitte die Namen "
              "prüfen.");
    ExpectStrict(data.SaveToXMLText(), "plan file of a mixed-encoding file");
}

TEST(StrictXml, ExamplesAreWrittenStrictly) {
    for (const char* example : {"bezirksliga-herren-nord.xml", "kreisliga-damen-sued.xml"}) {
        TPlanData data;
        data.LoadFromClickTTFile(ExamplePath(example));
        EXPECT_TRUE(data.LoadWarnings().empty()) << example;
        ExpectStrict(data.SaveToXMLText(), example);
        TPlan plan;
        plan.Load(data);
        ExpectStrict(plan.ScheduleToXmlText(), example);
    }
    TCalculateOptions options;
    ExpectStrict(options.SaveToBytes(), "default options");
}
