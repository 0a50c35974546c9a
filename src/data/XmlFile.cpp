#include "XmlFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Error.h"
#include "TextCodec.h"
#include "XmlChars.h"

namespace terminor {

namespace {

std::string SystemReason(int err) {
    switch (err) {
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case ENOENT:
        return "Datei oder Verzeichnis nicht gefunden";
    case ENOTDIR:
        return "Ein Teil des Pfades ist kein Verzeichnis";
    case EISDIR:
        return "Der Pfad ist ein Verzeichnis";
    case ENOSPC:
        return "Kein Speicherplatz mehr auf dem Datenträger";
    case EROFS:
        return "Das Dateisystem ist schreibgeschützt";
    case ENAMETOOLONG:
        return "Der Dateiname ist zu lang";
    default:
        return std::strerror(err);
    }
}

const char* ParseStatusText(pugi::xml_parse_status status) {
    switch (status) {
    case pugi::status_out_of_memory:
        return "nicht genug Speicher";
    case pugi::status_unrecognized_tag:
        return "unbekanntes Tag";
    case pugi::status_bad_pi:
        return "fehlerhafte Verarbeitungsanweisung";
    case pugi::status_bad_comment:
        return "fehlerhafter Kommentar";
    case pugi::status_bad_cdata:
        return "fehlerhafter CDATA-Abschnitt";
    case pugi::status_bad_doctype:
        return "fehlerhafte Dokumenttyp-Deklaration";
    case pugi::status_bad_pcdata:
        return "fehlerhafter Text";
    case pugi::status_bad_start_element:
        return "fehlerhaftes Start-Tag";
    case pugi::status_bad_attribute:
        return "fehlerhaftes Attribut";
    case pugi::status_bad_end_element:
        return "fehlerhaftes End-Tag";
    case pugi::status_end_element_mismatch:
        return "End-Tag passt nicht zum Start-Tag";
    case pugi::status_append_invalid_root:
        return "ungültiges Wurzelelement";
    case pugi::status_no_document_element:
        return "kein Dokumentelement gefunden";
    default:
        return "ungültiges XML";
    }
}

std::string Lower(std::string_view text) {
    std::string s(text);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return s;
}

/// The encoding named in the XML declaration at the start of the text, in lower case; empty when none.
std::string DeclaredEncoding(std::string_view bytes) {
    if (bytes.substr(0, 5) != "<?xml") {
        return {};
    }
    const std::size_t end = bytes.find("?>");
    const std::string_view decl =
        bytes.substr(0, end == std::string_view::npos ? std::min<std::size_t>(bytes.size(), 256) : end);
    const std::size_t pos = decl.find("encoding");
    if (pos == std::string_view::npos) {
        return {};
    }
    std::size_t i = pos + 8;
    while (i < decl.size() && (decl[i] == ' ' || decl[i] == '=' || decl[i] == '\t')) {
        ++i;
    }
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) {
        return {};
    }
    const char quote = decl[i];
    const std::size_t close = decl.find(quote, i + 1);
    if (close == std::string_view::npos) {
        return {};
    }
    return Lower(decl.substr(i + 1, close - i - 1));
}

/// 1-based line of a byte offset.
std::size_t LineAt(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, std::min(offset, text.size()));
    return 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
}

} // namespace

std::string XmlBytesToUtf8(std::string_view bytes, const std::string& sourceName, std::string* warning) {
    const auto starts = [&bytes](std::string_view prefix) {
        return bytes.substr(0, prefix.size()) == prefix;
    };
    try {
        if (starts("\xEF\xBB\xBF")) {
            return std::string(bytes.substr(3));
        }
        if (starts("\xFF\xFE")) {
            return ToUtf8(bytes.substr(2), "UTF-16LE");
        }
        if (starts("\xFE\xFF")) {
            return ToUtf8(bytes.substr(2), "UTF-16BE");
        }
        // UTF-16 without byte-order mark shows itself by the declaration's first two characters.
        if (starts(std::string_view("<\0?\0", 4))) {
            return ToUtf8(bytes, "UTF-16LE");
        }
        if (starts(std::string_view("\0<\0?", 4))) {
            return ToUtf8(bytes, "UTF-16BE");
        }
        const std::string encoding = DeclaredEncoding(bytes);
        if (encoding.empty() || encoding == "utf-8" || encoding == "utf8" || encoding == "us-ascii" ||
            encoding == "ascii") {
            const std::size_t invalid = FirstInvalidUtf8(bytes);
            if (invalid == std::string_view::npos) {
                return std::string(bytes);
            }
            // A file without declaration that is not UTF-8 is most likely an old Windows export.
            if (encoding.empty()) {
                return ToUtf8(bytes, "WINDOWS-1252");
            }
            // A file that says UTF-8 but holds stray single bytes was mostly edited with a Windows
            // program: its valid characters stay, each stray byte is read as windows-1252.
            if (warning != nullptr) {
                *warning = "Die Datei " + sourceName + " ist nicht durchgehend " +
                           (encoding.find("ascii") != std::string::npos ? "ASCII" : "UTF-8") +
                           "-kodiert, wie ihre XML-Deklaration angibt (zuerst in Zeile " +
                           std::to_string(LineAt(bytes, invalid)) +
                           "); die ungültigen Bytes wurden als Windows-1252 gelesen. Bitte die Namen "
                           "prüfen.";
            }
            return RepairUtf8AsWindows1252(bytes);
        }
        if (encoding == "iso-8859-1" || encoding == "latin1" || encoding == "iso_8859-1" ||
            encoding == "latin-1") {
            return ToUtf8(bytes, "ISO-8859-1");
        }
        if (encoding == "iso-8859-15" || encoding == "latin9" || encoding == "latin-9" ||
            encoding == "iso_8859-15") {
            return ToUtf8(bytes, "ISO-8859-15");
        }
        if (encoding == "windows-1252" || encoding == "cp1252") {
            return ToUtf8(bytes, "WINDOWS-1252");
        }
    } catch (const EConvertError& e) {
        throw EFileError("Die Datei " + sourceName + " kann nicht gelesen werden: " + e.what());
    }
    throw EFileError("Die Datei " + sourceName + " verwendet die nicht unterstützte Zeichenkodierung \"" +
                     DeclaredEncoding(bytes) + "\"");
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw EFileError("Datei " + path + " kann nicht gelesen werden. Grund: " + SystemReason(errno));
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        throw EFileError("Datei " + path + " kann nicht gelesen werden. Grund: " + SystemReason(EISDIR));
    }
    std::ostringstream out;
    out << in.rdbuf();
    if (in.bad()) {
        throw EFileError("Datei " + path + " kann nicht gelesen werden. Grund: " + SystemReason(errno));
    }
    return std::move(out).str();
}

void TXmlDocument::LoadFile(const std::string& path) {
    LoadBytes(ReadFileBytes(path), path);
}

void TXmlDocument::LoadBytes(std::string_view bytes, const std::string& sourceName) {
    FSourceName = sourceName;
    FDoc.reset();
    FWarnings.clear();
    std::string encodingWarning;
    FText = XmlBytesToUtf8(bytes, sourceName, &encodingWarning);
    if (!encodingWarning.empty()) {
        FWarnings.push_back(std::move(encodingWarning));
    }
    const pugi::xml_parse_result result =
        FDoc.load_buffer(FText.data(), FText.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        const std::size_t offset = std::min<std::size_t>(
            static_cast<std::size_t>(std::max<std::ptrdiff_t>(result.offset, 0)), FText.size());
        const std::size_t line =
            1 + static_cast<std::size_t>(
                    std::count(FText.begin(), FText.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
        const std::size_t lineStart = FText.rfind('\n', offset == 0 ? 0 : offset - 1);
        const std::size_t column =
            lineStart == std::string::npos || offset == 0 ? offset + 1 : offset - lineStart;
        throw EFileError("Die Datei " + sourceName +
                         " ist keine gültige XML-Datei: " + ParseStatusText(result.status) + " (Zeile " +
                         std::to_string(line) + ", Spalte " + std::to_string(column) + ")");
    }
    // Characters XML 1.0 forbids (control characters, also as references such as "&#1;") are
    // dropped, so that they never reach a file Terminor writes; the user is told where.
    const TXmlCleanup cleanup = CleanXmlTree(FDoc);
    if (!cleanup.Empty()) {
        std::string what;
        if (cleanup.droppedChars > 0) {
            what = std::to_string(cleanup.droppedChars) +
                   (cleanup.droppedChars == 1 ? " Zeichen, das" : " Zeichen, die") +
                   " in XML nicht erlaubt " + (cleanup.droppedChars == 1 ? "ist" : "sind") +
                   " (Steuerzeichen)";
        }
        if (cleanup.droppedAttributes > 0) {
            what += std::string(what.empty() ? "" : " und ") + std::to_string(cleanup.droppedAttributes) +
                    (cleanup.droppedAttributes == 1 ? " Attribut" : " Attribute") + " mit ungültigem Namen";
        }
        const std::size_t line =
            cleanup.firstOffset < 0 ? 0 : LineAt(FText, static_cast<std::size_t>(cleanup.firstOffset));
        FWarnings.push_back("Die Datei " + sourceName + " enthält " + what +
                            (line > 0 ? ", zuerst in Zeile " + std::to_string(line) : std::string()) +
                            ". Sie wurden beim Lesen entfernt.");
    }
}

int TXmlDocument::LineOf(const pugi::xml_node& node) const {
    const std::ptrdiff_t offset = node.offset_debug();
    if (offset < 0 || static_cast<std::size_t>(offset) > FText.size()) {
        return 0;
    }
    return 1 + static_cast<int>(std::count(FText.begin(), FText.begin() + offset, '\n'));
}

std::string TXmlDocument::WhereText(const pugi::xml_node& node) const {
    const int line = LineOf(node);
    if (line <= 0) {
        return " (Datei: " + FSourceName + ")";
    }
    return " (Datei: " + FSourceName + ", Zeile " + std::to_string(line) + ")";
}

namespace {

/// The file a chain of symbolic links ends at (the path itself when it is no link). A dangling
/// link gives the missing file it names, which the write then creates; a loop gives ELOOP.
std::string ResolveLinks(const std::string& path, int& err) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current;
        }
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0) {
            err = errno;
            return current;
        }
        target.resize(static_cast<std::size_t>(n));
        if (!target.empty() && target[0] != '/') {
            const std::size_t slash = current.rfind('/');
            if (slash != std::string::npos) {
                target = current.substr(0, slash + 1) + target;
            }
        }
        current = target;
    }
    err = ELOOP;
    return current;
}

EFileError WriteError(const std::string& path, const std::string& reason) {
    return EFileError("Datei " + path + " kann nicht geschrieben werden. Grund: " + reason);
}

/// The file a write of `path` replaces, and its state before the write.
struct WriteTarget {
    std::string target;
    struct stat old {};
    bool hadOld = false;
};

/// Everything that can be known about a write before it starts; throws the write's EFileError.
WriteTarget CheckWriteTarget(const std::string& path) {
    WriteTarget t;
    // A link is followed: the file it points to gets the new content and the link stays a link.
    int linkErr = 0;
    t.target = ResolveLinks(path, linkErr);
    if (linkErr != 0) {
        throw WriteError(path, SystemReason(linkErr));
    }
    t.hadOld = ::stat(t.target.c_str(), &t.old) == 0;
    if (t.hadOld && S_ISDIR(t.old.st_mode)) {
        throw WriteError(path, SystemReason(EISDIR));
    }
    // A write-protected file stays as it is, even for a user whose rights would allow the rename.
    if (t.hadOld && (t.old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        throw WriteError(path, "Die Datei ist schreibgeschützt");
    }
    if (t.hadOld && ::access(t.target.c_str(), W_OK) != 0) {
        throw WriteError(path, SystemReason(errno));
    }
    return t;
}

} // namespace

void CheckFileWritable(const std::string& path) {
    const WriteTarget t = CheckWriteTarget(path);
    // The temporary file of the write is created in the target's folder.
    const std::size_t slash = t.target.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : t.target.substr(0, slash);
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        throw WriteError(path,
                         errno == ENOENT ? "Der Ordner " + folder + " existiert nicht" : SystemReason(errno));
    }
    if (!S_ISDIR(st.st_mode)) {
        throw WriteError(path, SystemReason(ENOTDIR));
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        throw WriteError(path, SystemReason(errno));
    }
}

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
    const WriteTarget checked = CheckWriteTarget(path);
    const std::string& target = checked.target;
    const struct stat& old = checked.old;
    const bool hadOld = checked.hadOld;
    const auto fail = [&path](const std::string& reason) { return WriteError(path, reason); };
    std::string tmp = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        throw fail(SystemReason(errno));
    }
    int err = 0;
    std::size_t written = 0;
    while (written < bytes.size() && err == 0) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno != EINTR) {
                err = errno;
            }
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    if (err == 0) {
        mode_t mode = 0644;
        if (hadOld) {
            mode = old.st_mode & 07777;
            // Keeps the owner where the rights allow it; otherwise the file becomes the writer's.
            [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(fd, mode);
        if (::fsync(fd) != 0) {
            err = errno;
        }
    }
    if (::close(fd) != 0 && err == 0) {
        err = errno;
    }
    if (err == 0 && ::rename(tmp.c_str(), target.c_str()) != 0) {
        err = errno;
    }
    if (err != 0) {
        ::unlink(tmp.c_str());
        throw fail(SystemReason(err));
    }
}

std::string XmlToUtf8Text(pugi::xml_document& doc, bool indent) {
    // Whatever reached the document, only characters and names strict readers accept are written.
    CleanXmlTree(doc);
    std::ostringstream out;
    doc.save(out, indent ? "  " : "", indent ? pugi::format_indent : pugi::format_raw, pugi::encoding_utf8);
    return std::move(out).str();
}

} // namespace terminor
