// TSimplePrinter over QPrinter. The painter's origin sits at the top-left corner of the printable
// part of the page; shifting it by the margins minus the device's physical offsets puts the
// drawing's origin at (RandX, RandTop) measured from the paper's edge.

#include "view/SimplePrinter.h"

#include <algorithm>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "data/Error.h"
#include "view/ZoomCanvas.h"

namespace terminor {

TSimplePrinter::TSimplePrinter(QWidget* dialogParent) : FDialogParent(dialogParent) {}

// Members go in reverse order: the canvas, then the painter (which closes a document still
// open after an error), then the printer.
TSimplePrinter::~TSimplePrinter() = default;

void TSimplePrinter::CreatePrinter(const std::string& titel, bool landScape) {
    FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Set before the dialog too, which proposes it for printing into a file.
    FPrinter->setDocName(QString::fromStdString(titel));
    FPrinter->setPageSize(QPageSize(QPageSize::A4));
    FPrinter->setPageOrientation(landScape ? QPageLayout::Landscape : QPageLayout::Portrait);
    FPrinter->setCreator("Terminor");
}

bool TSimplePrinter::BeginPrint(const std::string& titel, bool landScape) {
    CreatePrinter(titel, landScape);
    QPrintDialog dialog(FPrinter.get(), FDialogParent);
    dialog.setWindowTitle("Drucken");
    if (dialog.exec() != QDialog::Accepted) {
        FPrinter.reset();
        return false;
    }
    StartDocument(titel, landScape);
    return true;
}

void TSimplePrinter::BeginPrintToPdf(const std::string& titel, bool landScape, const std::string& pdfFile) {
    CreatePrinter(titel, landScape);
    FPrinter->setOutputFormat(QPrinter::PdfFormat);
    FPrinter->setOutputFileName(QString::fromStdString(pdfFile));
    StartDocument(titel, landScape);
}

void TSimplePrinter::StartDocument(const std::string& titel, bool landScape) {
    FPrinter->setDocName(QString::fromStdString(titel));
    FPrinter->setPageOrientation(landScape ? QPageLayout::Landscape : QPageLayout::Portrait);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(FPrinter.get())) {
        const std::string target = FPrinter->outputFileName().toStdString();
        FPrinter.reset();
        throw EFileError(target.empty() ? std::string("Der Druck kann nicht gestartet werden.")
                                        : "Datei " + target + " kann nicht geschrieben werden.");
    }
    FPainter = std::move(painter);

    const int resolution = FPrinter->resolution();
    const QPageLayout layout = FPrinter->pageLayout();
    const QRect paper = layout.fullRectPixels(resolution);
    const QRect printable = layout.paintRectPixels(resolution);
    OffsetX = printable.left() - paper.left();
    OffsetY = printable.top() - paper.top();

    FCanvas =
        std::make_unique<TZoomCanvas>(FPainter.get(), FPrinter->logicalDpiX(), FPrinter->logicalDpiY(), Zoom);
    FCanvas->FontFamily = FontFamily;
    FCanvas->FontHeight = FontHeight;
    RandX = FCanvas->ConvertXCoord(50);
    RandTop = FCanvas->ConvertYCoord(100);
    RandBottom = FCanvas->ConvertYCoord(50);
    MaxX = paper.width() - 2 * RandX;
    MaxY = paper.height() - RandTop - RandBottom;
    ApplyOrigin();
    FPageCount = 1;
}

void TSimplePrinter::ApplyOrigin() {
    FPainter->resetTransform();
    FPainter->translate(RandX - OffsetX, RandTop - OffsetY);
}

void TSimplePrinter::NewPage() {
    FPrinter->newPage();
    ApplyOrigin();
    ++FPageCount;
}

int TSimplePrinter::PageHeight() const {
    const int offset = FCanvas->Offset;
    FCanvas->Offset = 0;
    const int height = FCanvas->DeConvertYCoord(MaxY);
    FCanvas->Offset = offset;
    return height;
}

void TSimplePrinter::DrawPageHead(const std::string& title) {
    TZoomCanvas& canvas = *FCanvas;
    // The head keeps the job's zoom when a wide section is drawn smaller.
    const double sectionZoom = canvas.Zoom();
    canvas.SetZoom(Zoom);
    const double fontHeight = canvas.FontHeight;
    canvas.FontHeight = 30;
    canvas.TextOut(0, canvas.Offset - 60, title, true);
    canvas.MoveTo(0, canvas.Offset - 20);
    canvas.LineTo(canvas.DeConvertXCoord(MaxX), canvas.Offset - 20, true);
    canvas.FontHeight = fontHeight;
    canvas.SetZoom(sectionZoom);
}

void TSimplePrinter::ResetCanvasState(TZoomCanvas& canvas) const {
    canvas.FontFamily = FontFamily;
    canvas.FontHeight = FontHeight;
    canvas.FontBold = false;
    canvas.FontRotation = 0;
    canvas.Ligatures = false;
    canvas.SetFontColor(Qt::black);
    canvas.SetPenColor(Qt::black);
    canvas.SetBrushColor(Qt::white);
}

TSimplePrinter::TSectionLayout TSimplePrinter::MeasureSection(const TPrintFunction& printFunction) const {
    TZoomCanvas measure(nullptr, FPrinter->logicalDpiX(), FPrinter->logicalDpiY(), Zoom);
    ResetCanvasState(measure);
    measure.RecordLayout();
    const TPageExtent extent = printFunction(measure, true);
    TSectionLayout layout;
    layout.Width = std::max(extent.Width, measure.DrawnRight());
    layout.KeepBlocks = measure.KeepBlocks();
    return layout;
}

int TSimplePrinter::PageBottom(int top, int pageHeight, const TSectionLayout& layout) {
    // A block that would be cut moves to the next page, unless it starts at this page's top
    // (it is then higher than a page and cut anyway).
    int bottom = top + pageHeight;
    for (bool moved = true; moved;) {
        moved = false;
        for (const TZoomCanvas::TKeepBlock& block : layout.KeepBlocks) {
            if (block.Top > top && block.Top < bottom && block.Bottom >= bottom) {
                bottom = block.Top;
                moved = true;
            }
        }
    }
    return bottom;
}

void TSimplePrinter::print(const TPrintFunction& printFunction, bool newPageAtStart,
                           const std::string& title) {
    TZoomCanvas& canvas = *FCanvas;
    const TSectionLayout layout = MeasureSection(printFunction);
    // A section wider than the printable width is drawn smaller as a whole, so that nothing is
    // cut off at the right edge.
    canvas.SetZoom(Zoom);
    const int printableWidth = canvas.DeConvertXCoord(MaxX);
    SectionZoom = layout.Width > printableWidth ? Zoom * printableWidth / layout.Width : Zoom;
    canvas.SetZoom(SectionZoom);
    const int pageHeight = PageHeight();
    if (newPageAtStart) {
        NewPage();
    }
    for (int top = 0;;) {
        const int bottom = PageBottom(top, pageHeight, layout);
        canvas.Offset = top;
        canvas.SetVisibleWindow(top, bottom);
        ResetCanvasState(canvas);
        DrawPageHead(title);
        const TPageExtent extent = printFunction(canvas, true);
        // A printout has no use for hit areas.
        canvas.ActionRects().clear();
        if (extent.Height < bottom) {
            break;
        }
        NewPage();
        top = bottom;
    }
    canvas.SetZoom(Zoom);
}

void TSimplePrinter::EndPrint() {
    FCanvas.reset();
    if (FPainter) {
        FPainter->end();
        FPainter.reset();
    }
    FPrinter.reset();
}

} // namespace terminor
