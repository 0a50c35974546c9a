#pragma once
// TPlanData: the plan input of one division as a keyed tree with root element `plan`;
// reads and writes the plan data file, imports click-TT exports and converts home-day rules.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DataObject.h"
#include "HomeDay.h"

namespace terminor {

class TXmlDocument;

class TPlanData {
public:
    TPlanData();
    ~TPlanData();
    TPlanData(const TPlanData&) = delete;
    TPlanData& operator=(const TPlanData&) = delete;

    /// Destroys the tree and starts a new empty `plan` root.
    void Clear();
    void assign(const TPlanData& source);
    TDataObject& root() const { return *rootElem; }

    /// Loads a plan data file; throws EFileError (with file and line) on missing or malformed files.
    void LoadFromXML(const std::string& xmlFile);
    /// Loads from an XML text held in memory; `sourceName` names it in error messages.
    void LoadFromXMLText(std::string_view xmlText, const std::string& sourceName);
    /// Loads from a document already parsed.
    void LoadFromXMLDocument(const TXmlDocument& xml);
    /// Writes the plan data file as UTF-8, atomically; throws EFileError
    /// ("Datei ... kann nicht geschrieben werden. Grund: ...") and leaves the old file untouched.
    void SaveToXML(const std::string& xmlFile) const;
    /// The plan data file as UTF-8 text.
    std::string SaveToXMLText() const;

    /// Imports a click-TT export (document element "TT"); the export file is only read.
    void LoadFromClickTTFile(const std::string& xmlFile);
    void LoadFromClickTTText(std::string_view xmlText, const std::string& sourceName);
    void LoadFromClickTTDocument(const TXmlDocument& doc);

    void Merge(const TPlanData& source);
    void Diff(const TPlanData& planDataAfter, const TPlanData& planDataBefore);

    void getTeamNames(std::vector<std::string>& teamNames) const;
    void getAllPossibleDates(std::vector<TDateTime>& dateList) const;
    static void getTeamLocationsInt(std::vector<std::string>& resultLocations);
    static bool isValidLocation(std::string_view value);
    static std::string FixLocation(std::string_view value);

    /// What the last load repaired or dropped to read the file (German notes, see TXmlDocument);
    /// empty after a clean file and after Clear.
    const std::vector<std::string>& LoadWarnings() const { return FLoadWarnings; }

    void GetHomeDays(std::string_view teamName, THomeDayList& homeDays) const;
    void SetHomeDays(std::string_view teamName, const THomeDayList& homeDays);

private:
    std::unique_ptr<TDataObject> rootElem;
    std::vector<std::string> FLoadWarnings;
};

/// Whether the file's document element is named "TT" (a click-TT export); throws EFileError when
/// the file cannot be read or parsed.
bool IsClickTTFile(const std::string& xmlFile);

} // namespace terminor
