// Calculation options: defaults, weights, summaries, automatic mid dates and the options file.

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/TempDir.h"
#include <pugixml.hpp>
#include <unistd.h>

#include "data/DateTime.h"
#include "data/PlanData.h"
#include "data/TextCodec.h"
#include "data/XmlFile.h"
#include "model/CalculateOptions.h"
#include "model/Plan.h"

using namespace terminor;
using terminor::test::TempDir;
namespace fs = std::filesystem;

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> AttributeNames(const pugi::xml_node& node) {
    std::vector<std::string> names;
    for (const pugi::xml_attribute a : node.attributes()) {
        names.emplace_back(a.name());
    }
    return names;
}

std::vector<std::string> ChildNames(const pugi::xml_node& node) {
    std::vector<std::string> names;
    for (const pugi::xml_node c : node.children()) {
        names.emplace_back(c.name());
    }
    return names;
}

std::vector<std::string> CostTypeNames() {
    std::vector<std::string> names;
    for (TMannschaftsKostenType t : AllMannschaftsKostenTypes) {
        names.emplace_back(MannschaftsKostenTypeName(t));
    }
    return names;
}

/// Parses the ISO-8859-15 bytes of an options file into a UTF-8 document.
void ParseSaved(const std::string& bytes, pugi::xml_document& doc) {
    const std::string utf8 = ToUtf8(bytes, "ISO-8859-15");
    ASSERT_TRUE(doc.load_string(utf8.c_str()));
}

TCalculateOptions Loaded(const std::string& bytes) {
    TCalculateOptions options;
    options.RoundPlaning = rpCorona; // proves that loading starts from the defaults
    options.LoadFromBytes(bytes);
    return options;
}

std::string OptionsXml(const std::string& children) {
    return "<?xml version=\"1.0\" encoding=\"iso-8859-15\"?>\n<terminor-options>" + children +
           "</terminor-options>";
}

// Small plans built from plan-data XML.
struct TeamSpec {
    std::string name;
    std::string id;
    std::vector<std::string> wishes; // "dd.mm.yyyy hh:mm"
};

std::string PlanXml(const std::string& from, const std::string& mid, const std::string& until,
                    const std::vector<TeamSpec>& teams) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<terminor><plan from=\"" + from +
                      "\" gender=\"Herren\" id=\"T-1\" mid=\"" + mid + "\" name=\"Testliga\" until=\"" +
                      until + "\">";
    int club = 1;
    for (const TeamSpec& t : teams) {
        xml += "<team clubid=\"" + std::to_string(club++) + "\" homerights=\"-1\" location=\"\" teamid=\"" +
               t.id + "\" teamname=\"" + t.name + "\" teamnumber=\"1\">";
        for (const std::string& w : t.wishes) {
            xml += "<homegameday ausweichtermin=\"false\" coupleauswaertssecondtime=\"false\" "
                   "couplegameday=\"false\" datetime=\"" +
                   w + "\" doublegameday=\"false\" location=\"\" parallelgames=\"0\"/>";
        }
        xml += "</team>";
    }
    return xml + "</plan></terminor>";
}

void LoadPlan(TPlan& plan, const std::string& xml) {
    TPlanData data;
    data.LoadFromXMLText(xml, "test-plan.xml");
    plan.Load(data);
}

TDateTime At(int y, int m, int d, int hh = 0, int mm = 0) {
    return EncodeDate(y, m, d) + EncodeTime(hh, mm);
}

} // namespace

TEST(CalculateOptions, DefaultsAndClear) {
    TCalculateOptions o;
    EXPECT_TRUE(o.FreitagIsAllowedBy60km);
    EXPECT_EQ(o.RoundPlaning, rpBoth);
    EXPECT_FALSE(o.DoubleRound);
    EXPECT_TRUE(o.AutomaticMidDate);
    for (TCalculateOptionsValues v : o.GewichtungMainMannschaftsKosten) {
        EXPECT_EQ(v, coNormal);
    }
    for (int k = 0; k < PlanKostenTypeCount; ++k) {
        EXPECT_EQ(o.getGewichtungPlan(static_cast<TPlanKostenType>(k)), coNormal);
    }

    TCalculateOptions changed;
    changed.FreitagIsAllowedBy60km = false;
    changed.LastSpieltagOverlapp = coHoch;
    changed.GewichtungMainMannschaftsKosten[3] = coIgnore;
    changed.GewichtungMannschaften.addMain("x", coWenig);
    changed.RoundPlaning = rpHalfRound;
    changed.DoubleRound = true;
    changed.AutomaticMidDate = false;
    changed.MidDate1 = 46000;
    changed.MidDate2 = 46100;
    changed.Clear();
    EXPECT_EQ(changed, o);
    EXPECT_TRUE(changed.GewichtungMannschaften.TeamIds().empty());
}

TEST(CalculateOptions, PlanWeightFields) {
    TCalculateOptions o;
    o.setGewichtungPlan(pktGameDayOverlap, coIgnore);
    o.setGewichtungPlan(pktGameDayLength, coSehrWenig);
    o.setGewichtungPlan(pktLastGameDayOverlap, coWenig);
    o.setGewichtungPlan(pktLastGameDayLength, coHoch);
    o.setGewichtungPlan(pktSisterGamesAtBegin, coSehrHoch);
    EXPECT_EQ(o.SpieltagOverlapp, coIgnore);
    EXPECT_EQ(o.SpieltagGewichtung, coSehrWenig);
    EXPECT_EQ(o.LastSpieltagOverlapp, coWenig);
    EXPECT_EQ(o.LastSpieltagGewichtung, coHoch);
    EXPECT_EQ(o.SisterTeamsAmAnfangGewichtung, coSehrHoch);
    EXPECT_EQ(o.getGewichtungPlan(pktLastGameDayLength), coHoch);
    EXPECT_EQ(o.getGewichtungPlan(static_cast<TPlanKostenType>(9)), coNormal);
    o.setGewichtungPlan(static_cast<TPlanKostenType>(9), coIgnore); // ignored
    EXPECT_EQ(o.SpieltagGewichtung, coSehrWenig);
}

TEST(CalculateOptions, TeamWeightMaps) {
    TGewichtungMannschaften g;
    EXPECT_EQ(g.getMain("a"), coNormal);
    EXPECT_EQ(g.getDetail("a", mktRanking), coNormal);

    // A detail entry creates the main entry with coNormal and the other details with coNormal.
    g.addDetail("b", mktRanking, coIgnore);
    EXPECT_EQ(g.getMain("b"), coNormal);
    EXPECT_EQ(g.getDetail("b", mktRanking), coIgnore);
    EXPECT_EQ(g.getDetail("b", mktHalleBelegt), coNormal);
    g.addMain("a", coHoch);
    EXPECT_EQ(g.getMain("a"), coHoch);
    EXPECT_EQ(g.getDetail("a", mktMandatoryGames), coNormal);
    EXPECT_EQ(g.GewichtungMannschaftenDetail.size(), 2u);
    EXPECT_EQ(g.TeamIds(), (std::vector<std::string>{"a", "b"}));

    TGewichtungMannschaften copy;
    copy.addMain("stale", coIgnore);
    copy.Assign(g);
    EXPECT_EQ(copy, g);
    copy.Assign(copy);
    EXPECT_EQ(copy, g);

    TCalculateOptions o1;
    o1.GewichtungMannschaften.Assign(g);
    o1.SisterTeamsAmAnfangGewichtung = coWenig;
    o1.MidDate2 = 46123;
    TCalculateOptions o2;
    o2.Assign(o1);
    EXPECT_EQ(o2, o1);
    o2.Assign(o2);
    EXPECT_EQ(o2, o1);

    g.Clear();
    EXPECT_TRUE(g.GewichtungMannschaften.empty());
    EXPECT_TRUE(g.GewichtungMannschaftenDetail.empty());
}

TEST(CalculateOptions, TeamWeightArithmetic) {
    TCalculateOptions o;
    EXPECT_DOUBLE_EQ(o.TeamWeight("t", mktSperrTermine), 100.0);
    EXPECT_EQ(CalculateOptionsDisplayOffset(coNormal), 0);
    EXPECT_EQ(CalculateOptionsDisplayOffset(coIgnore), -1000);
    EXPECT_EQ(CalculateOptionsDisplayOffset(coSehrWenig), -2);
    EXPECT_EQ(CalculateOptionsDisplayOffset(coExtremHoch), 3);

    // Any ignore step gives 0, whatever the other steps are.
    o.GewichtungMainMannschaftsKosten[Ord(mktSperrTermine)] = coIgnore;
    o.GewichtungMannschaften.addMain("t", coExtremHoch);
    EXPECT_DOUBLE_EQ(o.TeamWeight("t", mktSperrTermine), 0.0);
    EXPECT_DOUBLE_EQ(o.TeamWeight("t", mktRanking), 100000.0);
    o.Clear();
    o.GewichtungMannschaften.addMain("t", coIgnore);
    EXPECT_DOUBLE_EQ(o.TeamWeight("t", mktRanking), 0.0);
    EXPECT_DOUBLE_EQ(o.TeamWeight("other", mktRanking), 100.0);
    o.Clear();
    o.GewichtungMannschaften.addDetail("t", mkt60Kilometer, coIgnore);
    EXPECT_DOUBLE_EQ(o.TeamWeight("t", mkt60Kilometer), 0.0);
    EXPECT_DOUBLE_EQ(o.TeamWeight("t", mktEngeTermine), 100.0);

    // hoch and wenig cancel; the three factors multiply.
    o.Clear();
    o.GewichtungMainMannschaftsKosten[Ord(mktSpielverteilung)] = coHoch;
    o.GewichtungMannschaften.addMain("t", coWenig);
    EXPECT_DOUBLE_EQ(o.TeamWeight("t", mktSpielverteilung), 100.0);
    EXPECT_DOUBLE_EQ(o.TeamWeight("u", mktSpielverteilung), 1000.0);
    o.GewichtungMannschaften.addDetail("t", mktSpielverteilung, coSehrWenig);
    EXPECT_DOUBLE_EQ(o.TeamWeight("t", mktSpielverteilung), 1.0);
    o.GewichtungMainMannschaftsKosten[Ord(mktRanking)] = coExtremHoch;
    o.GewichtungMannschaften.addMain("v", coExtremHoch);
    o.GewichtungMannschaften.addDetail("v", mktRanking, coExtremHoch);
    EXPECT_DOUBLE_EQ(o.TeamWeight("v", mktRanking), 1e11);
    o.GewichtungMainMannschaftsKosten[Ord(mktHalleBelegt)] = coSehrWenig;
    o.GewichtungMannschaften.addDetail("w", mktHalleBelegt, coSehrHoch);
    EXPECT_DOUBLE_EQ(o.TeamWeight("w", mktHalleBelegt), 100.0);
}

TEST(CalculateOptions, ToStringFingerprint) {
    TCalculateOptions o;
    std::string normals;
    for (int i = 0; i < 15; ++i) {
        normals += ", coNormal";
    }
    EXPECT_EQ(o.ToString(),
              "-1, rpBoth, 0, coNormal, coNormal, coNormal, coNormal, coNormal, coNormal, coNormal" +
                  normals);

    o.FreitagIsAllowedBy60km = false;
    o.RoundPlaning = rpCorona;
    o.DoubleRound = true;
    o.SpieltagGewichtung = coIgnore;
    o.SisterTeamsAmAnfangGewichtung = coSehrWenig;
    o.LastSpieltagGewichtung = coWenig;
    o.LastSpieltagOverlapp = coHoch;
    o.SpieltagOverlapp = coSehrHoch;
    o.GewichtungMainMannschaftsKosten[Ord(mktHalleBelegt)] = coExtremHoch;
    o.GewichtungMainMannschaftsKosten[Ord(mktMandatoryGames)] = coIgnore;
    o.GewichtungMannschaften.addMain("t", coHoch); // not part of the fingerprint
    o.AutomaticMidDate = false;
    o.MidDate1 = 46000;
    std::string middle;
    for (int i = 0; i < 14; ++i) {
        middle += ", coNormal";
    }
    EXPECT_EQ(o.ToString(),
              "0, rpCorona, -1, coIgnore, coSehrWenig, coWenig, coHoch, coSehrHoch, coSehrWenig, "
              "coExtremHoch" +
                  middle + ", coIgnore");
}

TEST(CalculateOptionsFile, DefaultsAreWrittenExactly) {
    const std::string bytes = TCalculateOptions().SaveToBytes();
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"iso-8859-15\"?>", 0), 0u) << bytes;

    pugi::xml_document doc;
    ParseSaved(bytes, doc);
    const pugi::xml_node root = doc.document_element();
    EXPECT_STREQ(root.name(), "terminor-options");
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"weighting", "round-planing", "double-round"}));

    const pugi::xml_node weighting = root.child("weighting");
    std::vector<std::string> expected = {"friday-is-part-of-weekend", "gameday",
                                         "gameday-overlapp",          "last-gameday",
                                         "last-gameday-overlapp",     "sister-game-at-start"};
    for (const std::string& n : CostTypeNames()) {
        expected.push_back(n);
    }
    EXPECT_EQ(AttributeNames(weighting), expected);
    EXPECT_STREQ(weighting.attribute("friday-is-part-of-weekend").value(), "true");
    for (std::size_t i = 1; i < expected.size(); ++i) {
        EXPECT_STREQ(weighting.attribute(expected[i].c_str()).value(), "coNormal") << expected[i];
    }
    EXPECT_TRUE(ChildNames(weighting).empty());

    EXPECT_EQ(AttributeNames(root.child("round-planing")), (std::vector<std::string>{"planing"}));
    EXPECT_STREQ(root.child("round-planing").attribute("planing").value(), "rpBoth");
    const pugi::xml_node dr = root.child("double-round");
    EXPECT_EQ(AttributeNames(dr), (std::vector<std::string>{"active", "automatic-mid-date"}));
    EXPECT_STREQ(dr.attribute("active").value(), "false");
    EXPECT_STREQ(dr.attribute("automatic-mid-date").value(), "true");

    // Loading what was saved gives the defaults again.
    EXPECT_EQ(Loaded(bytes), TCalculateOptions());
}

TEST(CalculateOptionsFile, RoundTripOfEveryField) {
    TCalculateOptions o;
    o.FreitagIsAllowedBy60km = false;
    o.SpieltagGewichtung = coIgnore;
    o.SpieltagOverlapp = coSehrWenig;
    o.SisterTeamsAmAnfangGewichtung = coWenig;
    o.LastSpieltagGewichtung = coHoch;
    o.LastSpieltagOverlapp = coSehrHoch;
    for (std::size_t i = 0; i < o.GewichtungMainMannschaftsKosten.size(); ++i) {
        o.GewichtungMainMannschaftsKosten[i] = static_cast<TCalculateOptionsValues>(i % 7);
    }
    const std::string umlautId = "Müller & Söhne 5€";
    o.GewichtungMannschaften.addMain("4711", coExtremHoch);
    o.GewichtungMannschaften.addDetail("4711", mktAbstandHeimAuswaerts, coIgnore);
    o.GewichtungMannschaften.addDetail(umlautId, mktHalleBelegt, coSehrHoch);
    o.GewichtungMannschaften.addMain("no-such-team", coWenig);
    o.RoundPlaning = rpSecondOnly;
    o.DoubleRound = true;
    o.AutomaticMidDate = false;
    o.MidDate1 = EncodeDate(2025, 11, 3);
    o.MidDate2 = EncodeDate(2026, 3, 2);

    TempDir dir;
    const std::string file = dir.File("Terminor.options");
    o.Save(file);
    TCalculateOptions back;
    back.Load(file);
    EXPECT_EQ(back, o);
    EXPECT_EQ(back.GewichtungMannschaften.getDetail(umlautId, mktHalleBelegt), coSehrHoch);
    EXPECT_EQ(back.GewichtungMannschaften.getMain("no-such-team"), coWenig);

    // The bytes are really ISO-8859-15: one byte each for ü, ö and €.
    const std::string bytes = ReadFileBytes(file);
    EXPECT_NE(bytes.find("M\xFCller &amp; S\xF6hne 5\xA4"), std::string::npos);
    EXPECT_EQ(bytes.find("\xE2\x82\xAC"), std::string::npos);
    EXPECT_EQ(bytes, o.SaveToBytes());

    pugi::xml_document doc;
    ParseSaved(bytes, doc);
    const pugi::xml_node weighting = doc.document_element().child("weighting");
    std::vector<std::string> teamIds;
    for (const pugi::xml_node team : weighting.children("team")) {
        teamIds.emplace_back(team.attribute("teamid").value());
        std::vector<std::string> expected = {"teamid", "main"};
        for (const std::string& n : CostTypeNames()) {
            expected.push_back(n);
        }
        EXPECT_EQ(AttributeNames(team), expected);
    }
    EXPECT_EQ(teamIds, (std::vector<std::string>{"4711", umlautId, "no-such-team"}));
    const pugi::xml_node dr = doc.document_element().child("double-round");
    EXPECT_STREQ(dr.attribute("mid-date-1").value(), "03.11.2025");
    EXPECT_STREQ(dr.attribute("mid-date-2").value(), "02.03.2026");
    EXPECT_STREQ(doc.document_element().child("round-planing").attribute("planing").value(), "rpSecondOnly");

    // Saving again over the file replaces it.
    o.Clear();
    o.Save(file);
    back.Load(file);
    EXPECT_EQ(back, TCalculateOptions());
}

TEST(CalculateOptionsFile, MidDatesOnlyWhileAutomaticIsOff) {
    TCalculateOptions o;
    o.DoubleRound = true;
    o.MidDate1 = EncodeDate(2025, 11, 3);
    o.MidDate2 = EncodeDate(2026, 3, 2);
    pugi::xml_document doc;
    ParseSaved(o.SaveToBytes(), doc);
    EXPECT_EQ(AttributeNames(doc.document_element().child("double-round")),
              (std::vector<std::string>{"active", "automatic-mid-date"}));
    const TCalculateOptions back = Loaded(o.SaveToBytes());
    EXPECT_EQ(back.MidDate1, 0.0);
    EXPECT_TRUE(back.DoubleRound);

    o.AutomaticMidDate = false;
    o.MidDate2 = 0;
    pugi::xml_document doc2;
    ParseSaved(o.SaveToBytes(), doc2);
    EXPECT_EQ(AttributeNames(doc2.document_element().child("double-round")),
              (std::vector<std::string>{"active", "automatic-mid-date", "mid-date-1"}));
    EXPECT_EQ(Loaded(o.SaveToBytes()), o);

    // Mid dates in the file are read even with the automatic mid date on.
    const TCalculateOptions read = Loaded(
        OptionsXml("<double-round active=\"true\" automatic-mid-date=\"true\" mid-date-1=\"05.01.2026\" "
                   "mid-date-2=\"\"/>"));
    EXPECT_TRUE(read.AutomaticMidDate);
    EXPECT_EQ(read.MidDate1, EncodeDate(2026, 1, 5));
    EXPECT_EQ(read.MidDate2, 0.0);
}

TEST(CalculateOptionsFile, BrokenOrMissingFilesGiveDefaults) {
    const TCalculateOptions defaults;
    EXPECT_EQ(Loaded("<terminor-options><weighting gameday=\"coHoch\">"), defaults);
    EXPECT_EQ(Loaded(""), defaults);
    EXPECT_EQ(Loaded("not xml at all"), defaults);
    // Values read before the bad date are dropped as well.
    EXPECT_EQ(Loaded(OptionsXml("<weighting gameday=\"coHoch\"/><round-planing planing=\"rpCorona\"/>"
                                "<double-round active=\"true\" mid-date-1=\"31.02.2026\"/>")),
              defaults);
    EXPECT_EQ(Loaded(OptionsXml("<double-round active=\"true\" mid-date-2=\"xx.01.2026\"/>")), defaults);
    EXPECT_EQ(Loaded(OptionsXml("<weighting gameday=\"coHoch\"/>")).SpieltagGewichtung, coHoch);

    TempDir dir;
    TCalculateOptions o;
    o.RoundPlaning = rpFirstOnly;
    o.Load(dir.File("missing.options"));
    EXPECT_EQ(o, defaults);
    o.RoundPlaning = rpFirstOnly;
    o.Load(dir.path.string()); // a directory cannot be read
    EXPECT_EQ(o, defaults);
    const std::string broken = dir.File("broken.options");
    WriteBytes(broken, "<terminor-options><weighting");
    o.DoubleRound = true;
    EXPECT_NO_THROW(o.Load(broken));
    EXPECT_EQ(o, defaults);
}

TEST(CalculateOptionsFile, MissingElementsAndUnknownNames) {
    // No weighting element: Friday stays allowed; an empty weighting element switches it off.
    EXPECT_TRUE(Loaded(OptionsXml("<round-planing planing=\"rpHalfRound\"/>")).FreitagIsAllowedBy60km);
    EXPECT_FALSE(Loaded(OptionsXml("<weighting/>")).FreitagIsAllowedBy60km);
    EXPECT_FALSE(
        Loaded(OptionsXml("<weighting friday-is-part-of-weekend=\"True\"/>")).FreitagIsAllowedBy60km);
    EXPECT_TRUE(Loaded(OptionsXml("<weighting friday-is-part-of-weekend=\"true\"/>")).FreitagIsAllowedBy60km);

    // A double-round element without attributes turns the automatic mid date off.
    const TCalculateOptions dr = Loaded(OptionsXml("<double-round/>"));
    EXPECT_FALSE(dr.AutomaticMidDate);
    EXPECT_FALSE(dr.DoubleRound);
    EXPECT_TRUE(Loaded(OptionsXml("<weighting/>")).AutomaticMidDate);

    // Unknown value names read as coNormal / rpBoth; the root name is not checked.
    const TCalculateOptions unknown =
        Loaded("<other><weighting gameday=\"coVielZuViel\" last-gameday=\"cohoch\" mktRanking=\"coIgnore\" "
               "mktHalleBelegt=\"\"/><round-planing planing=\"rpNever\"/></other>");
    EXPECT_EQ(unknown.SpieltagGewichtung, coNormal);
    EXPECT_EQ(unknown.LastSpieltagGewichtung, coNormal);
    EXPECT_EQ(unknown.GewichtungMainMannschaftsKosten[Ord(mktRanking)], coIgnore);
    EXPECT_EQ(unknown.GewichtungMainMannschaftsKosten[Ord(mktHalleBelegt)], coNormal);
    EXPECT_EQ(unknown.RoundPlaning, rpBoth);
    EXPECT_EQ(Loaded(OptionsXml("<round-planing planing=\"rpFirstOnly\"/>")).RoundPlaning, rpFirstOnly);

    // First matching element wins; team entries: empty id skipped, later entry of an id wins,
    // missing attributes are coNormal.
    const TCalculateOptions teams =
        Loaded(OptionsXml("<weighting gameday=\"coWenig\"><team teamid=\"\" main=\"coHoch\"/>"
                          "<team teamid=\"7\" main=\"coHoch\" mktRanking=\"coIgnore\"/>"
                          "<team teamid=\"7\" main=\"coSehrHoch\" mktSperrTermine=\"coWenig\"/><other "
                          "teamid=\"8\" main=\"coHoch\"/>"
                          "</weighting><weighting gameday=\"coHoch\"/>"));
    EXPECT_EQ(teams.SpieltagGewichtung, coWenig);
    EXPECT_EQ(teams.GewichtungMannschaften.TeamIds(), (std::vector<std::string>{"7"}));
    EXPECT_EQ(teams.GewichtungMannschaften.getMain("7"), coSehrHoch);
    EXPECT_EQ(teams.GewichtungMannschaften.getDetail("7", mktSperrTermine), coWenig);
    EXPECT_EQ(teams.GewichtungMannschaften.getDetail("7", mktRanking), coNormal);

    // An ISO-8859-15 team id written by hand.
    const TCalculateOptions latin9 = Loaded(OptionsXml("<weighting><team teamid=\"Gr\xFC\xDF"
                                                       "e \xA4\" main=\"coWenig\"/></weighting>"));
    EXPECT_EQ(latin9.GewichtungMannschaften.getMain("Grüße €"), coWenig);
}

TEST(CalculateOptionsPlan, DiffToDefault) {
    TPlan plan;
    // Listed out of order: the plan sorts its teams by name.
    LoadPlan(plan, PlanXml("01.09.2025", "05.01.2026", "30.04.2026",
                           {{"Beta", "200", {"05.09.2025 20:00"}}, {"Alpha", "100", {"12.09.2025 20:00"}}}));
    ASSERT_EQ(plan.Mannschaften.size(), 2u);

    TCalculateOptions o;
    std::vector<std::string> lines = {"vorher"};
    o.getDiffToDefault(plan, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"vorher"}));

    // Weights of teams outside the plan are not described.
    o.GewichtungMannschaften.addMain("999", coHoch);
    lines.clear();
    o.getDiffToDefault(plan, lines);
    EXPECT_TRUE(lines.empty());

    o.SpieltagOverlapp = coHoch;
    o.SpieltagGewichtung = coWenig;
    o.SisterTeamsAmAnfangGewichtung = coIgnore;
    o.LastSpieltagOverlapp = coSehrHoch;
    o.LastSpieltagGewichtung = coExtremHoch;
    o.GewichtungMainMannschaftsKosten[Ord(mktSperrTermine)] = coSehrWenig;
    o.GewichtungMainMannschaftsKosten[Ord(mktMandatoryGames)] = coHoch;
    o.GewichtungMannschaften.addMain("200", coHoch);
    o.GewichtungMannschaften.addDetail("100", mkt60Kilometer, coIgnore);
    o.GewichtungMannschaften.addDetail("100", mktAuswaertsKoppelTermine, coWenig);
    o.FreitagIsAllowedBy60km = false;
    o.RoundPlaning = rpCorona;
    o.DoubleRound = true;
    lines.clear();
    o.getDiffToDefault(plan, lines);
    const std::vector<std::string> expected = {
        "Gewichtung",
        "  Überlappung der Spieltage: hoch",
        "  Länge der Spieltage: wenig",
        "  Vereinsinterne Spiele am Anfang: Nicht berücksichtigen",
        "  Überlappung letzer Spieltage: sehr hoch",
        "  Länge letzter Spieltage: extrem hoch",
        "  Sperrtermine: sehr wenig",
        "  Pflichtspieltage: hoch",
        "  Alpha 60km Regel: Nicht berücksichtigen",
        "  Alpha Auswärtskoppel: wenig",
        "  Beta: hoch",
        "",
        "Freitag ist bei der 60km-Regel nicht erlaubt",
        "Nur die \"Corona\"-Rückrunde wird generiert",
        "Doppelrunde ist aktiv",
    };
    EXPECT_EQ(lines, expected);

    const std::pair<TRoundPlaning, const char*> texts[] = {{rpHalfRound, "Halbrunde wird generiert"},
                                                           {rpFirstOnly, "Nur Vorrunde wird generiert"},
                                                           {rpSecondOnly, "Nur Rückrunde wird generiert"}};
    for (const auto& [planing, text] : texts) {
        TCalculateOptions r;
        r.RoundPlaning = planing;
        lines.clear();
        r.getDiffToDefault(plan, lines);
        EXPECT_EQ(lines, (std::vector<std::string>{text}));
    }
}

TEST(CalculateOptionsPlan, AutomaticMidDatesWithFewMondaysAreMidpoints) {
    TPlan plan;
    // First half: wishes in the weeks of 01.09. and 08.09. only; second half: 12.01. and 19.01.
    LoadPlan(plan, PlanXml("01.09.2025", "05.01.2026", "30.04.2026",
                           {{"A", "1", {"05.09.2025 20:00", "12.09.2025 20:00", "16.01.2026 20:00"}},
                            {"B", "2", {"13.09.2025 18:00", "23.01.2026 19:30"}}}));
    TCalculateOptions o;
    const TDateTime from = At(2025, 9, 5, 20, 0);
    const TDateTime mid = EncodeDate(2026, 1, 5);
    const TDateTime expected1 = from + (mid - from) / 2;
    EXPECT_DOUBLE_EQ(o.getAutomaticMidDate1(plan), expected1);
    EXPECT_NE(expected1, std::floor(expected1)); // a fraction of a day
    const TDateTime last = At(2026, 1, 23, 19, 30);
    EXPECT_DOUBLE_EQ(o.getAutomaticMidDate2(plan), mid + (last - mid) / 2);
    EXPECT_DOUBLE_EQ(o.getMidDate1(plan), expected1);

    // A user-set mid date replaces the automatic one only with the automatic mid date off.
    o.MidDate1 = EncodeDate(2025, 10, 6);
    o.MidDate2 = EncodeDate(2026, 2, 2);
    EXPECT_DOUBLE_EQ(o.getMidDate1(plan), expected1);
    o.AutomaticMidDate = false;
    EXPECT_EQ(o.getMidDate1(plan), EncodeDate(2025, 10, 6));
    EXPECT_EQ(o.getMidDate2(plan), EncodeDate(2026, 2, 2));

    // Half round: the whole planning period with its four game-day Mondays.
    TCalculateOptions half;
    half.RoundPlaning = rpHalfRound;
    EXPECT_EQ(half.getAutomaticMidDate1(plan), EncodeDate(2026, 1, 12));
}

TEST(CalculateOptionsPlan, AutomaticMidDatesPickTheMiddleMonday) {
    TPlan plan;
    LoadPlan(plan, PlanXml("01.09.2025", "05.01.2026", "30.04.2026",
                           {{"A",
                             "1",
                             {"05.09.2025 20:00", "12.09.2025 20:00", "19.09.2025 20:00", "26.09.2025 20:00",
                              "16.01.2026 20:00", "23.01.2026 20:00", "30.01.2026 20:00"}},
                            {"B", "2", {"06.09.2025 18:00", "04.10.2025 18:00", "07.02.2026 18:00"}}}));
    TCalculateOptions o;
    // First half Mondays: 01.09., 08.09., 15.09., 22.09., 29.09. -> position 2.
    EXPECT_EQ(o.getAutomaticMidDate1(plan), EncodeDate(2025, 9, 15));
    EXPECT_EQ(o.getMidDate1(plan), EncodeDate(2025, 9, 15));
    // Second half Mondays: 12.01., 19.01., 26.01., 02.02. -> position 4 div 2 = 2.
    EXPECT_EQ(o.getAutomaticMidDate2(plan), EncodeDate(2026, 1, 26));
    EXPECT_EQ(o.getMidDate2(plan), EncodeDate(2026, 1, 26));

    // Half round: all nine Mondays of the planning period -> position 4.
    TCalculateOptions half;
    half.RoundPlaning = rpHalfRound;
    EXPECT_EQ(half.getAutomaticMidDate1(plan), EncodeDate(2025, 9, 29));
    EXPECT_EQ(half.getAutomaticMidDate2(plan), EncodeDate(2026, 1, 26));
}
