#include "DataObject.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include <pugixml.hpp>

#include "Error.h"
#include "XmlFile.h"

namespace terminor {

namespace {

const std::map<std::string, std::vector<std::string>, std::less<>>& KeyDefinitions() {
    static const std::map<std::string, std::vector<std::string>, std::less<>> defs = {
        {"plan", {}},
        {"team", {"teamname"}},
        {"homegameday", {"datetime"}},
        {"nogameday", {"date"}},
        {"roadcouple", {"teamnamea", "teamnameb"}},
        {"noweekgames", {"teamname"}},
        {"homerights", {"teamname"}},
        {"sisterteam", {"teamname", "gender"}},
        {"sistergame", {"datetime"}},
        {"predefinedgames", {}},
        {"game", {"datetime", "hometeamname", "guestteamname"}},
        {"existingschedule", {}},
        {"schedule", {}},
        {"mandatorygames", {"datefrom", "dateto"}},
        {"ranking", {}},
    };
    return defs;
}

const std::string EmptyString;

constexpr const char* StateNames[] = {"dosNormal", "dosNew", "dosModified", "dosDelete"};

bool KeyMatches(const TDataObject& child, const TDataObjectKey& key) {
    if (child.Name() != key.Name) {
        return false;
    }
    for (const auto& [att, value] : key.attributeValues) {
        if (child.GetAsString(att) != value) {
            return false;
        }
    }
    return true;
}

} // namespace

const char* DataObjectStateName(TDataObjectState state) {
    return StateNames[static_cast<int>(state)];
}

const std::vector<std::string>* KeyDefinition(std::string_view elementName) {
    const auto& defs = KeyDefinitions();
    const auto it = defs.find(elementName);
    return it == defs.end() ? nullptr : &it->second;
}

std::string TrimBlanks(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 0x20) {
        ++b;
    }
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20) {
        --e;
    }
    return std::string(text.substr(b, e - b));
}

int ParseIntOrZero(std::string_view text) {
    std::size_t pos = 0;
    if (!text.empty() && text[0] == '+') {
        pos = 1; // from_chars accepts a leading minus but no plus
        if (text.size() > 1 && text[1] == '-') {
            return 0;
        }
    }
    if (pos >= text.size()) {
        return 0;
    }
    int value = 0;
    const char* first = text.data() + pos;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) {
        return 0;
    }
    return value;
}

void TDataObjectKey::setAttribute(std::string key, std::string value) {
    attributeValues.emplace_back(std::move(key), std::move(value));
}

void TDataObjectKey::setAttributeAsDate(std::string key, TDateTime date) {
    setAttribute(std::move(key), DateToStorage(date));
}

void TDataObjectKey::setAttributeAsDateTime(std::string key, TDateTime date) {
    setAttribute(std::move(key), DateTimeToStorage(date));
}

TDataObject::TDataObject(std::string name) : FName(std::move(name)) {
    if (KeyDefinition(FName) == nullptr) {
        throw TerminorError("Kein Key für den Typ: " + FName + " definiert");
    }
}

TDataObject::~TDataObject() = default;

TDataObject& TDataObject::addChild(std::string name) {
    auto child = std::make_unique<TDataObject>(std::move(name));
    child->FParent = this;
    FChilds.push_back(std::move(child));
    return *FChilds.back();
}

void TDataObject::Clear() {
    FAttributes.clear();
    FChilds.clear();
}

void TDataObject::assignAttributes(const TDataObject& source) {
    if (&source == this) {
        return;
    }
    FAttributes.clear();
    for (const auto& [name, value] : source.FAttributes) {
        SetAsString(name, value);
    }
}

void TDataObject::assign(const TDataObject& source) {
    if (&source == this) {
        return;
    }
    Clear();
    assignAttributes(source);
    for (const auto& child : source.FChilds) {
        addChild(child->FName).assign(*child);
    }
}

TDataObject* TDataObject::FindChild(std::string_view childName) const {
    for (const auto& child : FChilds) {
        if (child->FName == childName) {
            return child.get();
        }
    }
    return nullptr;
}

TDataObject& TDataObject::getOrCreateChild(std::string_view childName) {
    if (TDataObject* found = FindChild(childName)) {
        return *found;
    }
    return addChild(std::string(childName));
}

IDataObjectList TDataObject::NamedChilds(std::string_view childName) const {
    IDataObjectList list;
    for (const auto& child : FChilds) {
        if (child->FName == childName) {
            list.push_back(child.get());
        }
    }
    return list;
}

void TDataObject::deleteChilds(std::string_view childName) {
    for (std::size_t i = FChilds.size(); i-- > 0;) {
        if (FChilds[i]->FName == childName) {
            FChilds.erase(FChilds.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void TDataObject::RemoveChild(const TDataObject* child) {
    const auto it = std::find_if(FChilds.begin(), FChilds.end(),
                                 [child](const std::unique_ptr<TDataObject>& c) { return c.get() == child; });
    if (it != FChilds.end()) {
        FChilds.erase(it);
    }
}

void TDataObject::RemoveChildAt(std::size_t index) {
    if (index < FChilds.size()) {
        FChilds.erase(FChilds.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void TDataObject::getKey(TDataObjectKey& dataKey) const {
    dataKey.Name = FName;
    dataKey.attributeValues.clear();
    for (const std::string& att : *KeyDefinition(FName)) {
        dataKey.attributeValues.emplace_back(att, GetAsString(att));
    }
}

TDataObjectKey TDataObject::getKey() const {
    TDataObjectKey key;
    getKey(key);
    return key;
}

int TDataObject::findChildIndexByKey(const TDataObjectKey& dataKey) const {
    int result = -1;
    for (std::size_t i = 0; i < FChilds.size(); ++i) {
        if (KeyMatches(*FChilds[i], dataKey)) {
            if (result >= 0) {
                throw TerminorError("Doppelter Schlüssel in Datei: " + dataKey.Name);
            }
            result = static_cast<int>(i);
        }
    }
    return result;
}

void TDataObject::Load(const pugi::xml_node& elem, const TXmlDocument* source) {
    LoadLevel(elem, source, 0);
}

void TDataObject::LoadLevel(const pugi::xml_node& elem, const TXmlDocument* source, int depth) {
    // Plan files are at most a few levels deep; the limit keeps a hostile file from exhausting the stack.
    constexpr int MaxDepth = 64;
    for (const pugi::xml_attribute& att : elem.attributes()) {
        const std::string_view name = att.name();
        if (name == "state") {
            const std::string_view value = att.value();
            for (int s = 0; s < 4; ++s) {
                if (value == StateNames[s]) {
                    State = static_cast<TDataObjectState>(s);
                }
            }
            continue;
        }
        SetAsString(name, att.value());
    }
    for (const pugi::xml_node& child : elem.children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (depth >= MaxDepth) {
            throw EFileError("Die Elemente sind zu tief verschachtelt" +
                             (source ? source->WhereText(child) : std::string()));
        }
        // The child is attached only after its creation succeeded.
        std::unique_ptr<TDataObject> node;
        try {
            node = std::make_unique<TDataObject>(child.name());
        } catch (const TerminorError& e) {
            if (source == nullptr) {
                throw;
            }
            throw TerminorError(e.what() + source->WhereText(child));
        }
        node->FParent = this;
        FChilds.push_back(std::move(node));
        FChilds.back()->LoadLevel(child, source, depth + 1);
    }
}

void TDataObject::Save(pugi::xml_node& parentElem) const {
    pugi::xml_node elem = parentElem.append_child(FName.c_str());
    if (State != TDataObjectState::dosNormal) {
        elem.append_attribute("state").set_value(DataObjectStateName(State));
    }
    for (const auto& [name, value] : FAttributes) {
        elem.append_attribute(name.c_str()).set_value(value.c_str());
    }
    for (const auto& child : FChilds) {
        child->Save(elem);
    }
}

void TDataObject::Merge(const TDataObject& source) {
    if (source.State == TDataObjectState::dosModified) {
        for (const auto& [name, value] : source.FAttributes) {
            SetAsString(name, value);
        }
    }
    TDataObjectKey key;
    for (const auto& s : source.FChilds) {
        s->getKey(key);
        const int index = findChildIndexByKey(key);
        switch (s->State) {
        case TDataObjectState::dosNew: {
            if (index >= 0) {
                RemoveChildAt(static_cast<std::size_t>(index));
            }
            addChild(s->FName).assign(*s);
            break;
        }
        case TDataObjectState::dosDelete:
            if (index >= 0) {
                RemoveChildAt(static_cast<std::size_t>(index));
            }
            break;
        default:
            if (index >= 0) {
                FChilds[static_cast<std::size_t>(index)]->Merge(*s);
            }
            break;
        }
    }
}

void TDataObject::Diff(const TDataObject& planDataAfter, const TDataObject& planDataBefore) {
    Clear();
    for (const std::string& att : *KeyDefinition(planDataAfter.FName)) {
        SetAsString(att, planDataAfter.GetAsString(att));
    }
    for (const auto& [name, value] : planDataAfter.FAttributes) {
        if (value != planDataBefore.GetAsString(name)) {
            SetAsString(name, value);
            State = TDataObjectState::dosModified;
        }
    }
    for (const auto& [name, value] : planDataBefore.FAttributes) {
        const std::string& after = planDataAfter.GetAsString(name);
        if (value != after) {
            SetAsString(name, after);
            State = TDataObjectState::dosModified;
        }
    }
    TDataObjectKey key;
    for (const auto& before : planDataBefore.FChilds) {
        before->getKey(key);
        if (planDataAfter.findChildIndexByKey(key) < 0) {
            TDataObject& deleted = addChild(before->FName);
            deleted.assignAttributes(*before);
            deleted.State = TDataObjectState::dosDelete;
        }
    }
    for (const auto& after : planDataAfter.FChilds) {
        after->getKey(key);
        const int index = planDataBefore.findChildIndexByKey(key);
        TDataObject& d = addChild(after->FName);
        if (index < 0) {
            d.assign(*after);
            d.State = TDataObjectState::dosNew;
        } else {
            d.Diff(*after, *planDataBefore.FChilds[static_cast<std::size_t>(index)]);
        }
    }
}

bool TDataObject::IsContainedIn(const TDataObject& a, const TDataObject& b) {
    for (const auto& [name, value] : a.FAttributes) {
        if (b.GetAsString(name) != value) {
            return false;
        }
    }
    TDataObjectKey key;
    for (const auto& child : a.FChilds) {
        child->getKey(key);
        const int index = b.findChildIndexByKey(key);
        if (index < 0 || !NodesAreTheSame(child.get(), b.FChilds[static_cast<std::size_t>(index)].get())) {
            return false;
        }
    }
    return true;
}

bool TDataObject::NodesAreTheSame(const TDataObject* node1, const TDataObject* node2) {
    if (node1 == node2) {
        return true;
    }
    if (node1 == nullptr || node2 == nullptr) {
        return false;
    }
    return IsContainedIn(*node1, *node2) && IsContainedIn(*node2, *node1);
}

bool TDataObject::ChildNodesAreTheSame(const TDataObject* node1, const TDataObject* node2,
                                       std::string_view childNodeName) {
    if (node1 == node2) {
        return true;
    }
    if (node1 == nullptr || node2 == nullptr) {
        return false;
    }
    const auto groupContained = [childNodeName](const TDataObject& a, const TDataObject& b) {
        TDataObjectKey key;
        for (const auto& child : a.FChilds) {
            if (child->FName != childNodeName) {
                continue;
            }
            child->getKey(key);
            const int index = b.findChildIndexByKey(key);
            if (index < 0 ||
                !NodesAreTheSame(child.get(), b.FChilds[static_cast<std::size_t>(index)].get())) {
                return false;
            }
        }
        return true;
    };
    return groupContained(*node1, *node2) && groupContained(*node2, *node1);
}

bool TDataObject::HasAttribute(std::string_view attName) const {
    return FAttributes.find(attName) != FAttributes.end();
}

const std::string& TDataObject::GetAsString(std::string_view attName) const {
    const auto it = FAttributes.find(attName);
    return it == FAttributes.end() ? EmptyString : it->second;
}

bool TDataObject::GetAsBool(std::string_view attName) const {
    return GetAsString(attName) == "true";
}

int TDataObject::GetAsInt(std::string_view attName) const {
    return ParseIntOrZero(GetAsString(attName));
}

TDateTime TDataObject::GetAsDate(std::string_view attName) const {
    return StorageToDate(GetAsString(attName));
}

TDateTime TDataObject::GetAsTime(std::string_view attName) const {
    return StorageToTime(GetAsString(attName));
}

TDateTime TDataObject::GetAsDateTime(std::string_view attName) const {
    return StorageToDateTime(GetAsString(attName));
}

void TDataObject::SetAsString(std::string_view attName, std::string_view value) {
    std::string trimmed = TrimBlanks(value);
    const auto it = FAttributes.find(attName);
    if (it == FAttributes.end()) {
        FAttributes.emplace(std::string(attName), std::move(trimmed));
    } else {
        it->second = std::move(trimmed);
    }
}

void TDataObject::SetAsBool(std::string_view attName, bool value) {
    SetAsString(attName, value ? "true" : "false");
}

void TDataObject::SetAsInt(std::string_view attName, int value) {
    SetAsString(attName, std::to_string(value));
}

void TDataObject::SetAsDate(std::string_view attName, TDateTime value) {
    SetAsString(attName, DateToStorage(value));
}

void TDataObject::SetAsTime(std::string_view attName, TDateTime value) {
    SetAsString(attName, TimeToStorage(value));
}

void TDataObject::SetAsDateTime(std::string_view attName, TDateTime value) {
    SetAsString(attName, DateTimeToStorage(value));
}

} // namespace terminor
