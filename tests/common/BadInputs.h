#pragma once
// The bad inputs a user can give Terminor, in one table for the command line and the window:
// each row builds a file from the examples and names the German text the user must see, as an
// error that refuses the file, as a warning of a file read with repairs, or as the refusal to
// generate for a plan that can be opened for data entry but not generated.

#include <fstream>
#include <string>
#include <vector>

namespace terminor::test {

/// Where the bad file is given: as the division, as a remembered schedule, as the options file.
enum class TBadInputRole { Input, Schedule, Options };

enum class TBadInputOutcome { Refused, Warned, NotGenerated };

struct TBadInput {
    const char* name;
    TBadInputRole role;
    /// The file's bytes.
    std::string bytes;
    TBadInputOutcome outcome;
    /// A part of the German message, the same on the command line and in the window.
    std::string message;
};

namespace bad_input_detail {

inline std::string ReadExample(const std::string& name) {
    std::ifstream in(std::string(TERMINOR_SOURCE_DIR) + "/examples/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The smaller example export with `from` replaced by `to` (the first occurrence).
inline std::string KreisligaWith(const std::string& from, const std::string& to) {
    std::string text = ReadExample("kreisliga-damen-sued.xml");
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

/// A click-TT export with `teams` teams, each with two home dates.
inline std::string ExportWithTeams(int teams) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TT name=\"Testliga\" id=\"1\" "
        "gender=\"Herren\" from=\"01.09.2026\" mid=\"01.01.2027\" until=\"30.04.2027\"><teams>";
    for (int t = 1; t <= teams; ++t) {
        text += "<team clubId=\"" + std::to_string(t) + "\" id=\"" + std::to_string(t) + "\"><name>Team " +
                std::to_string(t) +
                "</name><gameDays><homeGame day=\"05.09.2026\" time=\"18:00\"/>"
                "<homeGame day=\"09.01.2027\" time=\"18:00\"/></gameDays></team>";
    }
    return text + "</teams></TT>";
}

inline std::string Utf16Le(const std::string& ascii) {
    std::string out;
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

} // namespace bad_input_detail

/// Every bad input of the table. The schedule and options rows belong to the smaller example.
inline std::vector<TBadInput> BadInputs() {
    using namespace bad_input_detail;
    using enum TBadInputRole;
    using enum TBadInputOutcome;
    const std::string kreisliga = ReadExample("kreisliga-damen-sued.xml");
    return {
        {"abgeschnittenes XML", Input, kreisliga.substr(0, 3000), Refused,
         "ist keine gültige XML-Datei: fehlerhaftes Attribut (Zeile 63, Spalte 22)"},
        {"kein XML", Input, "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n", Refused, "ist keine gültige XML-Datei"},
        {"leere Datei", Input, "", Refused, "ist keine gültige XML-Datei: kein Dokumentelement gefunden"},
        {"fremdes XML", Input, "<?xml version=\"1.0\"?><html><body/></html>", Refused,
         "ist weder ein click-TT-Export noch eine Plandatei"},
        {"unbekannte Zeichenkodierung", Input, KreisligaWith("windows-1252", "EBCDIC-DE"), Refused,
         "verwendet die nicht unterstützte Zeichenkodierung \"ebcdic-de\""},
        {"UTF-16 mit halbem Zeichen", Input, "\xFF\xFE" + Utf16Le("<TT/>") + "<", Refused,
         "Ungültige Zeichen in der Kodierung UTF-16LE"},
        {"falsche Kodierung angegeben", Input, KreisligaWith("windows-1252", "UTF-8"), Warned,
         "ist nicht durchgehend UTF-8-kodiert, wie ihre XML-Deklaration angibt (zuerst in Zeile 2)"},
        {"Steuerzeichen im Namen", Input, KreisligaWith("TuS M", "TuS\x01 M&#2;"), Warned,
         "enthält 2 Zeichen, die in XML nicht erlaubt sind (Steuerzeichen), zuerst in Zeile 26. Sie wurden "
         "beim Lesen entfernt."},
        {"unmögliches Datum", Input, KreisligaWith("day=\"18.09.2026\"", "day=\"31.09.2026\""), Refused,
         "'31.09.2026' ist kein gültiges Datum"},
        {"unmögliche Saison", Input, KreisligaWith("from=\"29.08.2026\"", "from=\"29.13.2026\""), Refused,
         "'29.13.2026' ist kein gültiges Datum"},
        {"doppelte Mannschaft", Input, KreisligaWith("TuS M\xFCllenbach", "SV H\xFClscheid"), Refused,
         "Doppelter Schlüssel in Datei: team \"SV Hülscheid\" ist zweimal eingetragen."},
        {"mehr als 31 Mannschaften", Input, ExportWithTeams(32), Refused,
         "Der Plan enthält 32 Mannschaften. Es können höchstens 31 Mannschaften geplant werden."},
        {"keine Mannschaft", Input, ExportWithTeams(0), Refused, "enthält keine Mannschaften"},
        {"eine Mannschaft", Input, ExportWithTeams(1), NotGenerated,
         "Der Plan enthält weniger als zwei Mannschaften"},
        {"Spielplan statt Staffel", Input,
         "<terminor><plan><schedule><game datetime=\"05.09.2026 18:00\" hometeamname=\"A\" "
         "guestteamname=\"B\"/></schedule></plan></terminor>",
         Refused, "ist ein gemerkter Spielplan"},
        {"Spielplan einer anderen Staffel", Schedule,
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><terminor><plan><schedule>"
         "<game datetime=\"05.09.2026 18:00\" hometeamname=\"Team 1\" guestteamname=\"Team 2\"/>"
         "<game datetime=\"12.09.2026 18:00\" hometeamname=\"Team 2\" guestteamname=\"Team 1\"/>"
         "</schedule></plan></terminor>",
         Refused, "wird nicht geladen: 2 von 2 Spielen der Datei passen zu keiner Mannschaft dieser Staffel"},
        {"kaputter Spielplan", Schedule, "<terminor><plan><schedule><game", Refused,
         "ist keine gültige XML-Datei"},
        {"Optionsdatei, die keine ist", Options, kreisliga, Refused,
         "ist keine Optionsdatei: erwartet wird das Dokumentelement \"terminor-options\", die Datei hat "
         "\"TT\"."},
        {"kaputte Optionsdatei", Options, "<terminor-options><weighting gameday=\"coHoch\"", Refused,
         "ist keine gültige XML-Datei"},
        {"Optionsdatei mit unmöglichem Datum", Options,
         "<terminor-options><double-round active=\"true\" automatic-mid-date=\"false\" "
         "mid-date-1=\"31.02.2027\"/></terminor-options>",
         Refused, "enthält einen ungültigen Wert"},
    };
}

} // namespace terminor::test
