#pragma once
// TFormPlanPanel: the plan view. Five tabbed pages of owner-drawn, scrollable drawings of one
// schedule (wishes, neighbour teams' dates, costs, schedule, diagrams), drawn through the page
// routines on a TZoomCanvas. The view keeps its own copy of the plan and computes costs only on
// it. Hit areas of the cost page are handed to OnKostenAction. User-interface thread only.

#include <functional>
#include <memory>
#include <vector>

#include <QScrollArea>
#include <QWidget>

#include "view/ActionRect.h"
#include "view/PlanPages.h"

class QButtonGroup;
class QPaintEvent;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace terminor {

class TActionRectGame;
class TActionRectKosten;
class TPlan;
class TFormPlanPanel;

/// One owner-drawn page; paints and handles the mouse through its panel.
class TPlanPaintBox : public QWidget {
    Q_OBJECT
public:
    TPlanPaintBox(TFormPlanPanel& panel, int pageIndex, QWidget* parent);
    int PageIndex() const { return FPageIndex; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TFormPlanPanel& FPanel;
    int FPageIndex;
};

/// A white scroll box whose wheel scrolls 64 pixels a notch.
class TPlanScrollBox : public QScrollArea {
    Q_OBJECT
public:
    using QScrollArea::QScrollArea;

protected:
    void wheelEvent(QWheelEvent* event) override;
};

class TFormPlanPanel : public QWidget {
    Q_OBJECT
public:
    enum TPageIndex { PageTerminMeldung = 0, PageSisterTeams, PageKosten, PageTermine, PageVerteilung };

    explicit TFormPlanPanel(QWidget* parent = nullptr);
    ~TFormPlanPanel() override;

    /// Copies the plan into the view's own plan, computes its costs and repaints; null is ignored.
    void SetPlan(const TPlan* plan);
    /// The view's own copy.
    TPlan& Plan() { return *FPlan; }
    void SetZoom(double value);
    double Zoom() const { return FZoomValue; }
    TTerminplanMode Mode() const { return FMode; }
    void SetMode(TTerminplanMode mode);
    /// Asks what to print and prints it (the caller pauses the generation).
    void Print();
    /// Invalidates every page.
    void Repaint();

    QTabWidget* PageControl() const { return pgcMain; }
    TPlanPaintBox* PaintBox(int pageIndex) const { return FPaintBoxes[static_cast<std::size_t>(pageIndex)]; }
    /// The hit areas of all pages, in paint-box coordinates.
    const std::vector<TActionRectPtr>& ActionRects() const { return FActionRects; }
    /// Draws page `pageIndex` (page 3 in the current mode) onto a canvas.
    TPageExtent DrawPage(int pageIndex, TZoomCanvas& canvas, bool forPrint);

    /// Called when a cost hit area is clicked.
    std::function<void(const TActionRectKosten&)> OnKostenAction;
    /// Called on a right click on a game line, with the global position for a context menu.
    std::function<void(const TActionRectGame&, QPoint globalPosition)> OnGameContextMenu;

    // Used by the paint boxes.
    void PaintBoxPaint(TPlanPaintBox& box, QPaintEvent& event);
    void PaintBoxMouseMove(TPlanPaintBox& box, QPoint position);
    void PaintBoxMouseUp(TPlanPaintBox& box, QPoint position, Qt::MouseButton button, QPoint globalPosition);

private:
    std::unique_ptr<TPlan> FPlan;
    double FZoomValue = 1.0;
    TTerminplanMode FMode = TTerminplanMode::Spielplan;
    std::vector<TActionRectPtr> FActionRects;
    QTabWidget* pgcMain = nullptr;
    std::vector<TPlanScrollBox*> FScrollBoxes;
    std::vector<TPlanPaintBox*> FPaintBoxes;
    QToolBar* ToolBarTerminAuswahl = nullptr;
    QButtonGroup* FModeGroup = nullptr;
};

} // namespace terminor
