// TSimplePrinter over QPrinter. The painter's origin sits at the top-left corner of the printable
// part of the page; shifting it by the margins minus the device's physical offsets puts the
// drawing's origin at (RandX, RandTop) measured from the paper's edge.

#include "view/SimplePrinter.h"

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
    const double fontHeight = canvas.FontHeight;
    canvas.FontHeight = 30;
    canvas.TextOut(0, canvas.Offset - 60, title, true);
    canvas.MoveTo(0, canvas.Offset - 20);
    canvas.LineTo(canvas.DeConvertXCoord(MaxX), canvas.Offset - 20, true);
    canvas.FontHeight = fontHeight;
}

void TSimplePrinter::ResetCanvasState() {
    TZoomCanvas& canvas = *FCanvas;
    canvas.FontHeight = FontHeight;
    canvas.FontBold = false;
    canvas.FontRotation = 0;
    canvas.SetFontColor(Qt::black);
    canvas.SetPenColor(Qt::black);
    canvas.SetBrushColor(Qt::white);
}

void TSimplePrinter::print(const TPrintFunction& printFunction, bool newPageAtStart,
                           const std::string& title) {
    TZoomCanvas& canvas = *FCanvas;
    const int pageHeight = PageHeight();
    canvas.SetVisibleWindow(0, pageHeight);
    canvas.Offset = 0;
    if (newPageAtStart) {
        NewPage();
    }
    for (;;) {
        ResetCanvasState();
        DrawPageHead(title);
        const TPageExtent extent = printFunction(canvas, true);
        // A printout has no use for hit areas.
        canvas.ActionRects().clear();
        if (extent.Height < canvas.MaxYVisible()) {
            break;
        }
        NewPage();
        canvas.Offset += pageHeight;
        canvas.SetVisibleWindow(canvas.MaxYVisible(), canvas.MaxYVisible() + pageHeight);
    }
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
