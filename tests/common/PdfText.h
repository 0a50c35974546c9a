#pragma once
// Reading PDF files in tests through poppler's pdftotext and pdfinfo.

#include <string>
#include <vector>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace terminor::test {

/// Standard output of a program run to its end; empty when it cannot start.
inline std::string ToolOutput(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000)) {
        return {};
    }
    return process.readAllStandardOutput().toStdString();
}

/// The text of each page of a PDF file, in page order. Each page's text comes in drawing order
/// (-raw): a page full of upward labels (the charts' dates) would otherwise be read as rotated.
inline std::vector<std::string> PdfPages(const std::string& pdfFile) {
    const std::string text = ToolOutput("pdftotext", {"-raw", QString::fromStdString(pdfFile), "-"});
    std::vector<std::string> pages;
    std::size_t start = 0;
    // pdftotext ends every page with a form feed.
    for (std::size_t feed = text.find('\f'); feed != std::string::npos; feed = text.find('\f', start)) {
        pages.push_back(text.substr(start, feed - start));
        start = feed + 1;
    }
    return pages;
}

/// The value of one line of pdfinfo ("Pages", "Title", "Page size").
inline std::string PdfInfo(const std::string& pdfFile, const std::string& key) {
    const std::string info = ToolOutput("pdfinfo", {QString::fromStdString(pdfFile)});
    const std::size_t at = info.find(key + ":");
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t begin = info.find_first_not_of(' ', at + key.size() + 1);
    return info.substr(begin, info.find('\n', begin) - begin);
}

} // namespace terminor::test
