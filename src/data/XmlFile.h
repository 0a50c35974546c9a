#pragma once
// Reading XML files in any of the encodings Terminor meets (UTF-8, UTF-16 with byte-order mark,
// ISO-8859-1, ISO-8859-15, windows-1252) into a pugixml document, and atomic file writing.

#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace terminor {

/// A parsed XML document together with its UTF-8 text, so that nodes can be mapped to lines.
class TXmlDocument {
public:
    /// Reads and parses a file; throws EFileError naming the file (and the line of a syntax error).
    /// Characters XML 1.0 forbids are dropped from attribute values and texts, attributes with
    /// names strict readers refuse are dropped, and Warnings() says so.
    void LoadFile(const std::string& path);
    /// Parses bytes held in memory (any supported encoding); `sourceName` names them in errors.
    void LoadBytes(std::string_view bytes, const std::string& sourceName);

    pugi::xml_document& doc() { return FDoc; }
    const pugi::xml_document& doc() const { return FDoc; }
    pugi::xml_node documentElement() const { return FDoc.document_element(); }
    const std::string& sourceName() const { return FSourceName; }
    /// 1-based line of a node of this document, or 0 when unknown.
    int LineOf(const pugi::xml_node& node) const;
    /// " (Datei: NAME, Zeile N)" or " (Datei: NAME)" for error messages.
    std::string WhereText(const pugi::xml_node& node) const;
    /// German notes on what the last load repaired or dropped; empty for a clean file.
    const std::vector<std::string>& Warnings() const { return FWarnings; }

private:
    pugi::xml_document FDoc;
    std::string FText;
    std::string FSourceName;
    std::vector<std::string> FWarnings;
};

/// Converts the bytes of an XML file to UTF-8 according to its byte-order mark or the encoding
/// its declaration names; throws EFileError for an encoding Terminor cannot read. A file declared
/// UTF-8 with stray invalid bytes is read with those bytes as windows-1252 and `warning` says so.
std::string XmlBytesToUtf8(std::string_view bytes, const std::string& sourceName,
                           std::string* warning = nullptr);

/// The whole content of a file; throws EFileError ("Datei ... kann nicht gelesen werden. Grund: ...").
std::string ReadFileBytes(const std::string& path);

/// Writes the bytes to a temporary file beside `path` and renames it over `path`, so that a
/// failure never destroys the previous file; throws EFileError
/// ("Datei PATH kann nicht geschrieben werden. Grund: REASON").
void WriteFileAtomic(const std::string& path, std::string_view bytes);

/// Whether WriteFileAtomic could write `path` now: the target is no folder and not write-protected,
/// and its folder exists and is writable. Throws the EFileError the write would throw.
void CheckFileWritable(const std::string& path);

/// The document as UTF-8 text, without indentation unless `indent`; characters and attribute
/// names XML 1.0 forbids are removed from the document first (CleanXmlTree).
std::string XmlToUtf8Text(pugi::xml_document& doc, bool indent = false);

} // namespace terminor
