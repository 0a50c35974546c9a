#pragma once
// TSimplePrinter: one print job over QPrinter. It shows the platform's print dialog (which also
// prints to a PDF file) or writes a PDF file directly, cuts a drawing of any length into pages
// and heads each page with a title line. The device runs at QPrinter::HighResolution (the printer's
// own resolution; 1200 dpi for a PDF file), A4 unless the print dialog chooses otherwise.
// User-interface thread only.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

class QPainter;
class QPrinter;
class QWidget;

namespace terminor {

/// A page routine as the printer calls it: draws with `forPrint` set and returns its extent.
using TPrintFunction = std::function<TPageExtent(TZoomCanvas& canvas, bool forPrint)>;

class TSimplePrinter {
public:
    /// `dialogParent` owns the print dialog.
    explicit TSimplePrinter(QWidget* dialogParent = nullptr);
    ~TSimplePrinter();
    TSimplePrinter(const TSimplePrinter&) = delete;
    TSimplePrinter& operator=(const TSimplePrinter&) = delete;

    /// The printing font: family and height in logical units (negative: character height).
    QString FontFamily = "Tahoma";
    double FontHeight = -12;
    /// The zoom of the printed drawing.
    double Zoom = 1.0;

    /// Shows the print dialog; false (and nothing else happens) when it is cancelled.
    bool BeginPrint(const std::string& titel, bool landScape);
    /// Starts a job that writes the PDF file `pdfFile`, without a dialog; throws EFileError when
    /// the file cannot be written.
    void BeginPrintToPdf(const std::string& titel, bool landScape, const std::string& pdfFile);
    void NewPage();
    /// Prints one section: its page head with `title`, then the drawing, cut into pages. The
    /// routine runs once to measure (a section wider than the printable width is drawn smaller, as
    /// a whole, to fit it; blocks it keeps together are not cut when they fit on a page), then once
    /// per page on a canvas reset to the printing font without ligatures, black and upright.
    void print(const TPrintFunction& printFunction, bool newPageAtStart, const std::string& title);
    void EndPrint();

    /// Pages started so far in this job.
    int PageCount() const { return FPageCount; }
    TZoomCanvas* Canvas() const { return FCanvas.get(); }
    /// The height of one page's window in logical units at the current section's zoom (valid
    /// while a job runs).
    int PageHeight() const;
    /// The zoom the last section was drawn at: Zoom, or less for a section wider than the page.
    double LastSectionZoom() const { return SectionZoom; }

private:
    void CreatePrinter(const std::string& titel, bool landScape);
    void StartDocument(const std::string& titel, bool landScape);
    void ApplyOrigin();
    void DrawPageHead(const std::string& title);
    void ResetCanvasState(TZoomCanvas& canvas) const;

    /// What the measuring run of a section found: its width and the blocks to keep together.
    struct TSectionLayout {
        int Width = 0;
        std::vector<TZoomCanvas::TKeepBlock> KeepBlocks;
    };
    TSectionLayout MeasureSection(const TPrintFunction& printFunction) const;
    /// The bottom of the page window starting at `top`: a page height lower, or higher up where
    /// a block to keep together would be cut.
    static int PageBottom(int top, int pageHeight, const TSectionLayout& layout);

    QWidget* FDialogParent = nullptr;
    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<QPainter> FPainter;
    std::unique_ptr<TZoomCanvas> FCanvas;
    int OffsetX = 0;
    int OffsetY = 0;
    int MaxX = 0;
    int MaxY = 0;
    int RandX = 0;
    int RandTop = 0;
    int RandBottom = 0;
    int FPageCount = 0;
    double SectionZoom = 1.0;
};

} // namespace terminor
