// terminor-manual-pdf: turns the Markdown manual into an A4 PDF with page numbers. Runs at build
// time on the offscreen platform, so that building needs neither a display nor another toolchain.
//
//   terminor-manual-pdf INPUT.md OUTPUT.pdf
//
// Images are looked up beside INPUT.md and scaled to the text width. Every top-level heading but
// the first starts a new page.

#include <algorithm>
#include <cstdio>

#include <QAbstractTextDocumentLayout>

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

namespace {

constexpr double FooterMillimetres = 10.0;

/// Loads every image of the document from the Markdown file's folder and gives it a size that
/// fits the text width (image sizes count in pixels of 96 dpi, the layout scales them to the
/// device); an image that cannot be read is an error, so that the manual never ships with a hole.
bool PlaceImages(QTextDocument& doc, const QString& folder, double textWidth) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                continue;
            }
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QString path = folder + "/" + format.name();
            const QImage image(path);
            if (image.isNull()) {
                std::fprintf(stderr, "terminor-manual-pdf: Bild %s kann nicht gelesen werden\n",
                             qPrintable(path));
                return false;
            }
            doc.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
            const double width = std::min(textWidth, image.width() * textWidth / 1400.0);
            format.setWidth(width);
            format.setHeight(width * image.height() / image.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return true;
}

/// Spacing in print points (margins count in pixels of 96 dpi, like image sizes): air above
/// headings and between paragraphs. Top-level headings after the first start on a new page.
void SetSpacing(QTextDocument& doc, double pixelsPerPoint) {
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const int level = format.headingLevel();
        if (level == 1) {
            format.setBottomMargin(8 * pixelsPerPoint);
            if (!first) {
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            }
            first = false;
        } else if (level > 1) {
            format.setTopMargin(12 * pixelsPerPoint);
            format.setBottomMargin(4 * pixelsPerPoint);
        } else if (format.hasProperty(QTextFormat::BlockCodeFence)) {
            format.setBackground(QColor(244, 244, 244));
            format.setBottomMargin(2 * pixelsPerPoint);
        } else if (block.textList() == nullptr) {
            format.setBottomMargin(5 * pixelsPerPoint);
        } else {
            format.setBottomMargin(2 * pixelsPerPoint);
        }
        QTextCursor(block).setBlockFormat(format);
    }
}

/// Tables as thin grey grids over the full text width, the heading row shaded.
void StyleTables(QTextDocument& doc, double pixelsPerPoint) {
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr) {
            continue;
        }
        QTextTableFormat format = table->format();
        format.setBorderCollapse(true);
        format.setBorder(0.75 * pixelsPerPoint);
        format.setBorderBrush(QColor(150, 150, 150));
        format.setCellSpacing(0);
        format.setCellPadding(3 * pixelsPerPoint);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCharFormat cellFormat = cell.format();
            cellFormat.setBackground(QColor(235, 235, 235));
            cell.setFormat(cellFormat);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: terminor-manual-pdf EINGABE.md AUSGABE.pdf\n");
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "terminor-manual-pdf: %s kann nicht gelesen werden\n", qPrintable(input));
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QSaveFile target(output);
    if (!target.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "terminor-manual-pdf: %s kann nicht geschrieben werden\n", qPrintable(output));
        return 1;
    }
    QPdfWriter writer(&target);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(22, 18, 22, 12), QPageLayout::Millimeter));
    writer.setTitle("Terminor – Anleitung");
    writer.setCreator("Terminor");

    const QRect paint = writer.pageLayout().paintRectPixels(writer.resolution());
    const double footer = FooterMillimetres / 25.4 * writer.resolution();
    const QSizeF body(paint.width(), paint.height() - footer);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    QFont font("DejaVu Sans");
    font.setPointSizeF(10.5);
    // No ligatures: "ff" stays two letters, so that searching and copying the text work.
    font.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    SetSpacing(doc, 96.0 / 72.0);
    StyleTables(doc, 96.0 / 72.0);
    if (!PlaceImages(doc, QFileInfo(input).absolutePath(), body.width() * 96.0 / writer.logicalDpiX())) {
        target.cancelWriting();
        return 1;
    }
    doc.setPageSize(body);

    QPainter painter(&writer);
    QFont footerFont = font;
    footerFont.setPointSizeF(9);
    const int pages = doc.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        painter.save();
        painter.translate(0, -page * body.height());
        doc.drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
        painter.restore();
        painter.setFont(footerFont);
        painter.setPen(Qt::darkGray);
        const QRectF footerRect(0, body.height(), body.width(), footer);
        painter.drawText(footerRect, Qt::AlignLeft | Qt::AlignBottom, "Terminor – Anleitung");
        painter.drawText(footerRect, Qt::AlignRight | Qt::AlignBottom,
                         QString("Seite %1 von %2").arg(page + 1).arg(pages));
    }
    painter.end();
    if (!target.commit()) {
        std::fprintf(stderr, "terminor-manual-pdf: %s kann nicht geschrieben werden\n", qPrintable(output));
        return 1;
    }
    return 0;
}
