#include "PlanData.h"

#include <algorithm>

#include "Error.h"
#include "XmlFile.h"

namespace terminor {

TPlanData::TPlanData() : rootElem(std::make_unique<TDataObject>("plan")) {}

TPlanData::~TPlanData() = default;

void TPlanData::Clear() {
    rootElem = std::make_unique<TDataObject>("plan");
    FLoadWarnings.clear();
}

void TPlanData::assign(const TPlanData& source) {
    if (&source == this) {
        return;
    }
    Clear();
    rootElem->assign(*source.rootElem);
}

namespace {

void LoadPlanElement(TDataObject& root, const TXmlDocument& xml) {
    const pugi::xml_node docElem = xml.documentElement();
    for (const pugi::xml_node& child : docElem.children()) {
        if (child.type() == pugi::node_element && std::string_view(child.name()) == "plan") {
            root.Load(child, &xml);
            return;
        }
    }
}

} // namespace

void TPlanData::LoadFromXML(const std::string& xmlFile) {
    Clear();
    TXmlDocument xml;
    xml.LoadFile(xmlFile);
    FLoadWarnings = xml.Warnings();
    LoadPlanElement(*rootElem, xml);
}

void TPlanData::LoadFromXMLText(std::string_view xmlText, const std::string& sourceName) {
    Clear();
    TXmlDocument xml;
    xml.LoadBytes(xmlText, sourceName);
    LoadFromXMLDocument(xml);
}

void TPlanData::LoadFromXMLDocument(const TXmlDocument& xml) {
    Clear();
    FLoadWarnings = xml.Warnings();
    LoadPlanElement(*rootElem, xml);
}

std::string TPlanData::SaveToXMLText() const {
    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version").set_value("1.0");
    decl.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node terminor = doc.append_child("terminor");
    rootElem->Save(terminor);
    return XmlToUtf8Text(doc);
}

void TPlanData::SaveToXML(const std::string& xmlFile) const {
    WriteFileAtomic(xmlFile, SaveToXMLText());
}

void TPlanData::Merge(const TPlanData& source) {
    rootElem->Merge(*source.rootElem);
}

void TPlanData::Diff(const TPlanData& planDataAfter, const TPlanData& planDataBefore) {
    rootElem->Diff(*planDataAfter.rootElem, *planDataBefore.rootElem);
}

void TPlanData::getTeamNames(std::vector<std::string>& teamNames) const {
    teamNames.clear();
    for (const TDataObject* team : rootElem->NamedChilds("team")) {
        teamNames.push_back(team->GetAsString("teamname"));
    }
    // std::string compares bytes; for UTF-8 that is the order of the code points.
    std::sort(teamNames.begin(), teamNames.end());
}

void TPlanData::getAllPossibleDates(std::vector<TDateTime>& dateList) const {
    dateList.clear();
    for (const TDataObject* team : rootElem->NamedChilds("team")) {
        for (const TDataObject* day : team->NamedChilds("homegameday")) {
            const TDateTime date = DateOf(day->GetAsDateTime("datetime"));
            if (std::find(dateList.begin(), dateList.end(), date) == dateList.end()) {
                dateList.push_back(date);
            }
        }
    }
    std::sort(dateList.begin(), dateList.end());
}

void TPlanData::getTeamLocationsInt(std::vector<std::string>& resultLocations) {
    resultLocations = {"", "1", "2", "3", "4", "5"};
}

bool TPlanData::isValidLocation(std::string_view value) {
    return value.empty() || (value.size() == 1 && value[0] >= '1' && value[0] <= '5');
}

std::string TPlanData::FixLocation(std::string_view value) {
    std::string trimmed = TrimBlanks(value);
    return isValidLocation(trimmed) ? trimmed : std::string();
}

} // namespace terminor
