// The plan data document: file format, encodings, atomic saving, queries.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "common/TempDir.h"
#include <sys/stat.h>
#include <unistd.h>

#include "data/Error.h"
#include "data/PlanData.h"
#include "data/XmlFile.h"

using namespace terminor;
using terminor::test::TempDir;
namespace fs = std::filesystem;

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string LoadError(const std::string& text) {
    TPlanData p;
    try {
        p.LoadFromXMLText(text, "plan.xml");
    } catch (const TerminorError& e) {
        return e.what();
    }
    return "<kein Fehler>";
}

} // namespace

TEST(PlanData, LoadReadsFirstPlanOfAnyDocumentElement) {
    TPlanData p;
    p.LoadFromXMLText(
        "<?xml version=\"1.0\"?><anything><other/><plan name=\" Liga \"><team teamname=\"A\"/></plan>"
        "<plan name=\"second\"/></anything>",
        "x.xml");
    EXPECT_EQ(p.root().GetAsString("name"), "Liga");
    EXPECT_EQ(p.root().childs().size(), 1u);

    p.LoadFromXMLText("<terminor><noplan/></terminor>", "x.xml");
    EXPECT_TRUE(p.root().childs().empty());
    EXPECT_TRUE(p.root().attributes().empty());
}

TEST(PlanData, StatesLoadAndOnlyNonNormalStatesAreSaved) {
    TPlanData p;
    p.LoadFromXMLText(
        "<terminor><plan state=\"dosModified\" name=\"L\"><team state=\"dosDelete\" teamname=\"A\"/>"
        "<team state=\"bogus\" teamname=\"B\"/></plan></terminor>",
        "mod.xml");
    EXPECT_EQ(p.root().State, TDataObjectState::dosModified);
    EXPECT_EQ(p.root().childs()[0]->State, TDataObjectState::dosDelete);
    EXPECT_EQ(p.root().childs()[1]->State, TDataObjectState::dosNormal);
    EXPECT_FALSE(p.root().childs()[1]->HasAttribute("state"));

    const std::string text = p.SaveToXMLText();
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << text;
    EXPECT_NE(text.find("<plan state=\"dosModified\" name=\"L\">"), std::string::npos) << text;
    EXPECT_NE(text.find("<team state=\"dosDelete\" teamname=\"A\""), std::string::npos) << text;
    EXPECT_EQ(text.find("bogus"), std::string::npos);

    TPlanData copy;
    copy.assign(p);
    EXPECT_EQ(copy.SaveToXMLText().find("state="), std::string::npos) << "assign does not copy states";
}

TEST(PlanData, ErrorsNameFileAndLine) {
    EXPECT_EQ(LoadError("<terminor>\n<plan>\n  <team teamname=\"A\"/>\n  <homeright/>\n</plan></terminor>"),
              "Kein Key für den Typ: homeright definiert (Datei: plan.xml, Zeile 4)");
    const std::string broken = LoadError("<terminor>\n<plan>\n<team teamname=\"A\">\n</plan></terminor>");
    EXPECT_NE(broken.find("plan.xml"), std::string::npos) << broken;
    EXPECT_NE(broken.find("Zeile 4"), std::string::npos) << broken;
    EXPECT_NE(LoadError("").find("plan.xml"), std::string::npos);

    TPlanData p;
    EXPECT_THROW(p.LoadFromXMLText("<terminor><plan><team teamname=\"A\"/><bad/></plan></terminor>", "x"),
                 TerminorError);
    EXPECT_EQ(p.root().childs().size(), 1u) << "what was read before the error stays";

    std::string deep = "<terminor><plan>";
    for (int i = 0; i < 200; ++i) {
        deep += "<plan>";
    }
    EXPECT_NE(LoadError(deep + "</plan></terminor>").find("Datei"), std::string::npos);

    try {
        p.LoadFromXML("/nonexistent/dir/plan.xml");
        FAIL();
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/dir/plan.xml"), std::string::npos);
    }
}

TEST(PlanData, ReadsOtherEncodingsWithUmlautsIntact) {
    const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><terminor><plan name=\"M\xFC"
                               "schede\"/></terminor>";
    const std::string latin9 = "<?xml version='1.0' encoding='iso-8859-15'?><terminor><plan name=\"\xA4 "
                               "Gr\xF6\xDF\x65\"/></terminor>";
    const std::string cp1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?><terminor><plan name=\"\x80 "
                               "H\xFCsten\"/></terminor>";
    const std::string utf16 = std::string("\xFF\xFE", 2) + [] {
        const std::u16string s = u"<terminor><plan name=\"Hüsten\"/></terminor>";
        return std::string(reinterpret_cast<const char*>(s.data()), s.size() * 2);
    }();
    TPlanData p;
    p.LoadFromXMLText(latin1, "a");
    EXPECT_EQ(p.root().GetAsString("name"), "Müschede");
    p.LoadFromXMLText(latin9, "b");
    EXPECT_EQ(p.root().GetAsString("name"), "€ Größe");
    p.LoadFromXMLText(cp1252, "c");
    EXPECT_EQ(p.root().GetAsString("name"), "€ Hüsten");
    p.LoadFromXMLText(utf16, "d");
    EXPECT_EQ(p.root().GetAsString("name"), "Hüsten");
    p.LoadFromXMLText("\xEF\xBB\xBF<terminor><plan name=\"Hüsten\"/></terminor>", "e");
    EXPECT_EQ(p.root().GetAsString("name"), "Hüsten");
    EXPECT_THROW(p.LoadFromXMLText("<?xml version=\"1.0\" encoding=\"EBCDIC-XY\"?><terminor/>", "f"),
                 EFileError);
    // UTF-16 without byte-order mark, recognised by its declaration.
    for (const bool bigEndian : {false, true}) {
        const std::u16string text =
            u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><terminor><plan name=\"Hüsten\"/></terminor>";
        std::string bytes;
        for (const char16_t c : text) {
            const char hi = static_cast<char>(c >> 8);
            const char lo = static_cast<char>(c & 0xFF);
            bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
        }
        p.LoadFromXMLText(bytes, "g");
        EXPECT_EQ(p.root().GetAsString("name"), "Hüsten") << bigEndian;
    }
}

TEST(PlanData, SaveRoundTripAndAtomicReplace) {
    TempDir dir;
    TPlanData p;
    p.root().SetAsString("name", "Bezirksliga Ä");
    TDataObject& team = p.root().addChild("team");
    team.SetAsString("teamname", "TV Hüsten <II> & \"Co\"");
    team.addChild("homegameday").SetAsString("datetime", "03.10.2026 18:30");
    const std::string file = dir.File("plan.xml");
    p.SaveToXML(file);
    TPlanData q;
    q.LoadFromXML(file);
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&p.root(), &q.root()));
    EXPECT_EQ(q.root().childs()[0]->GetAsString("teamname"), "TV Hüsten <II> & \"Co\"");

    // Overwriting keeps no temporary file behind.
    p.root().SetAsString("name", "neu");
    p.SaveToXML(file);
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST(PlanData, FailedSaveKeepsOldFileAndNamesReason) {
    if (::geteuid() == 0) {
        // root ignores permissions; a path below a regular file fails for everybody.
    }
    TempDir dir;
    const std::string file = dir.File("plan.xml");
    WriteBytes(file, "old content");
    TPlanData p;
    const std::string impossible = dir.File("plan.xml/sub.xml");
    try {
        p.SaveToXML(impossible);
        FAIL();
    } catch (const EFileError& e) {
        const std::string msg = e.what();
        EXPECT_EQ(msg.rfind("Datei " + impossible + " kann nicht geschrieben werden. Grund: ", 0), 0u) << msg;
    }
    try {
        p.SaveToXML(dir.path.string());
        FAIL();
    } catch (const EFileError&) {
    }
    std::ifstream in(file);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "old content");
}

TEST(PlanData, Queries) {
    TPlanData p;
    p.LoadFromXMLText("<terminor><plan>"
                      "<team teamname=\"beta\"><homegameday datetime=\"03.10.2026 18:00\"/>"
                      "<homegameday datetime=\"01.10.2026 20:00\"/></team>"
                      "<team teamname=\"Zeta\"><homegameday datetime=\"03.10.2026 10:00\"/></team>"
                      "<team teamname=\"Alpha\"/>"
                      "</plan></terminor>",
                      "q");
    std::vector<std::string> names{"stale"};
    p.getTeamNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Zeta", "beta"}));
    std::vector<TDateTime> dates{1.0};
    p.getAllPossibleDates(dates);
    EXPECT_EQ(dates, (std::vector<TDateTime>{EncodeDate(2026, 10, 1), EncodeDate(2026, 10, 3)}));

    std::vector<std::string> locations;
    TPlanData::getTeamLocationsInt(locations);
    EXPECT_EQ(locations, (std::vector<std::string>{"", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(TPlanData::FixLocation(" 3 "), "3");
    for (const char* bad : {"6", "A", "0", "12", "\"1\""}) {
        EXPECT_EQ(TPlanData::FixLocation(bad), "") << bad;
    }
    EXPECT_TRUE(TPlanData::isValidLocation(""));
    EXPECT_FALSE(TPlanData::isValidLocation(" 3"));
}

TEST(PlanData, DiffMergeThroughFiles) {
    TempDir dir;
    TPlanData imported;
    imported.LoadFromXMLText("<terminor><plan name=\"L\"><team teamname=\"A\" location=\"2\"/>"
                             "<team teamname=\"B\"/></plan></terminor>",
                             "i");
    TPlanData edited;
    edited.assign(imported);
    edited.root().childs()[0]->SetAsString("location", "");
    edited.root().addChild("nogameday").SetAsString("date", "24.12.2026");
    TPlanData diff;
    diff.Diff(edited, imported);
    diff.SaveToXML(dir.File("x.modifications"));

    TPlanData reloaded;
    reloaded.LoadFromXML(dir.File("x.modifications"));
    TPlanData merged;
    merged.assign(imported);
    merged.Merge(reloaded);
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&merged.root(), &edited.root()));
    EXPECT_EQ(merged.SaveToXMLText().find("state="), std::string::npos);
}

TEST(PlanData, SaveHonoursWriteProtectionLinksAndMode) {
    TempDir dir;
    auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };

    // A write-protected file is refused, for root too, and stays byte for byte as it was.
    const std::string locked = dir.File("locked.csv");
    WriteBytes(locked, "old\r\ncontent");
    ::chmod(locked.c_str(), 0444);
    try {
        WriteFileAtomic(locked, "new");
        FAIL() << "write-protected file was replaced";
    } catch (const EFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Datei " + locked +
                      " kann nicht geschrieben werden. Grund: Die Datei ist schreibgeschützt");
    }
    EXPECT_EQ(read(locked), "old\r\ncontent");

    // A link keeps pointing to its file, which gets the new content; relative links and chains too.
    fs::create_directory(dir.path / "real");
    const std::string real = dir.File("real/plan.xml");
    WriteBytes(real, "old");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink("real/plan.xml", dir.path / "link.xml");
    fs::create_symlink("link.xml", dir.path / "chain.xml");
    WriteFileAtomic(dir.File("chain.xml"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.xml"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "chain.xml"));
    EXPECT_EQ(read(real), "new");
    // The file's permission bits survive the replacement.
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A dangling link creates the file it names; a loop of links is refused.
    fs::create_symlink("later.xml", dir.path / "dangling.xml");
    WriteFileAtomic(dir.File("dangling.xml"), "created");
    EXPECT_EQ(read(dir.File("later.xml")), "created");
    fs::create_symlink("loop2.xml", dir.path / "loop1.xml");
    fs::create_symlink("loop1.xml", dir.path / "loop2.xml");
    EXPECT_THROW(WriteFileAtomic(dir.File("loop1.xml"), "x"), EFileError);
}
