#pragma once
// TDataObject: a node of the keyed plan-input tree (an XML element with trimmed string
// attributes and ordered, owned children), with typed access, deep comparison, Diff and Merge.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "DateTime.h"

namespace pugi {
class xml_node;
}

namespace terminor {

class TXmlDocument;

/// Change mark of a node inside a difference document.
enum class TDataObjectState { dosNormal = 0, dosNew = 1, dosModified = 2, dosDelete = 3 };

const char* DataObjectStateName(TDataObjectState state);

/// Identity of a node among its siblings: its element name and its key attribute values.
struct TDataObjectKey {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> attributeValues;

    void setAttribute(std::string key, std::string value);
    void setAttributeAsDate(std::string key, TDateTime date);
    void setAttributeAsDateTime(std::string key, TDateTime date);
};

class TDataObject;

/// A non-owning list of nodes in tree order; the nodes stay owned by the tree.
using IDataObjectList = std::vector<TDataObject*>;

/// The key attribute names of an element type, or nullptr when the type has no key definition.
const std::vector<std::string>* KeyDefinition(std::string_view elementName);

/// Removes leading and trailing characters U+0000 to U+0020.
std::string TrimBlanks(std::string_view text);

class TDataObject {
public:
    /// Creates a detached node; throws TerminorError when Name has no key definition.
    explicit TDataObject(std::string name);
    ~TDataObject();
    TDataObject(const TDataObject&) = delete;
    TDataObject& operator=(const TDataObject&) = delete;

    TDataObjectState State = TDataObjectState::dosNormal;

    const std::string& Name() const { return FName; }
    TDataObject* parent() const { return FParent; }
    using AttributeMap = std::map<std::string, std::string, std::less<>>;
    const AttributeMap& attributes() const { return FAttributes; }
    const std::vector<std::unique_ptr<TDataObject>>& childs() const { return FChilds; }

    /// Creates a child of that name at the end of the children (fails without key definition).
    TDataObject& addChild(std::string name);
    /// Removes all attributes and destroys all children; Name and State stay.
    void Clear();
    void assignAttributes(const TDataObject& source);
    /// Deep copy of Source's attributes and children; State and Name are not copied.
    void assign(const TDataObject& source);

    TDataObject* FindChild(std::string_view childName) const;
    TDataObject& getOrCreateChild(std::string_view childName);
    IDataObjectList NamedChilds(std::string_view childName) const;
    void deleteChilds(std::string_view childName);
    /// Removes and destroys that child (no-op when it is not a child of this node).
    void RemoveChild(const TDataObject* child);
    void RemoveChildAt(std::size_t index);

    void getKey(TDataObjectKey& dataKey) const;
    TDataObjectKey getKey() const;
    /// Index of the only child with that key, -1 when none; two matches throw the duplicate-key error.
    int findChildIndexByKey(const TDataObjectKey& dataKey) const;

    /// Fills this node from the element, recursively. With `source` given, errors name its file and line.
    void Load(const pugi::xml_node& elem, const TXmlDocument* source = nullptr);
    /// Appends an element for this node and its subtree under parentElem.
    void Save(pugi::xml_node& parentElem) const;

    void Merge(const TDataObject& source);
    void Diff(const TDataObject& planDataAfter, const TDataObject& planDataBefore);

    static bool NodesAreTheSame(const TDataObject* node1, const TDataObject* node2);
    static bool ChildNodesAreTheSame(const TDataObject* node1, const TDataObject* node2,
                                     std::string_view childNodeName);

    bool HasAttribute(std::string_view attName) const;
    const std::string& GetAsString(std::string_view attName) const;
    bool GetAsBool(std::string_view attName) const;
    int GetAsInt(std::string_view attName) const;
    TDateTime GetAsDate(std::string_view attName) const;
    TDateTime GetAsTime(std::string_view attName) const;
    TDateTime GetAsDateTime(std::string_view attName) const;

    void SetAsString(std::string_view attName, std::string_view value);
    void SetAsBool(std::string_view attName, bool value);
    void SetAsInt(std::string_view attName, int value);
    void SetAsDate(std::string_view attName, TDateTime value);
    void SetAsTime(std::string_view attName, TDateTime value);
    void SetAsDateTime(std::string_view attName, TDateTime value);

private:
    static bool IsContainedIn(const TDataObject& a, const TDataObject& b);
    void LoadLevel(const pugi::xml_node& elem, const TXmlDocument* source, int depth);

    std::string FName;
    AttributeMap FAttributes;
    std::vector<std::unique_ptr<TDataObject>> FChilds;
    TDataObject* FParent = nullptr;
};

/// Reads an integer attribute text: optional sign and decimal digits fitting 32 bits, else 0.
int ParseIntOrZero(std::string_view text);

} // namespace terminor
