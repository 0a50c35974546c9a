// TFormPlanPanel: tabs, scroll boxes and paint boxes of the plan view. A paint draws the page
// routine (the painter clips it to the exposed part), grows or shrinks the paint box to the
// drawing's extent and keeps the page's hit areas, converted to screen units, until the next paint.

#include "view/PlanPanel.h"

#include <algorithm>
#include <exception>

#include <QButtonGroup>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "model/Plan.h"
#include "view/GameActionRects.h"
#include "view/KostenActionRects.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

struct TPageDef {
    const char* sheet;
    const char* caption;
    const char* scrollBox;
    const char* paintBox;
};

constexpr TPageDef PageDefs[] = {
    {"tsTerminMeldung", "Terminwünsche", "ScrollBoxTerminMeldung", "PaintBoxTerminMeldung"},
    {"tsSisterTeams", "Termine der Nachbarmannschaften", "ScrollBoxSisterTeams", "PaintBoxSisterTeams"},
    {"tsKosten", "Kosten", "ScrollBoxKosten", "PaintBoxKosten"},
    {"tsPlanView", "Terminplan", "ScrollBoxTermine", "PaintBoxTermine"},
    {"tsDiagrams", "Diagramme", "ScrollBoxVerteilung", "PaintBoxVerteilung"},
};

/// Logical units of white left of a drawn page on screen; page 3 puts its lock marks there.
constexpr int ScreenMarginX = 16;

} // namespace

TPlanPaintBox::TPlanPaintBox(TFormPlanPanel& panel, int pageIndex, QWidget* parent)
    : QWidget(parent), FPanel(panel), FPageIndex(pageIndex) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(500, 100);
}

void TPlanPaintBox::paintEvent(QPaintEvent* event) {
    // An exception must not leave an event handler; the page then shows the error instead.
    try {
        FPanel.PaintBoxPaint(*this, *event);
    } catch (const std::exception& e) {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::white);
        painter.setPen(Qt::red);
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         "Die Seite kann nicht gezeichnet werden: " + QString::fromUtf8(e.what()));
    }
}

void TPlanPaintBox::mouseMoveEvent(QMouseEvent* event) {
    FPanel.PaintBoxMouseMove(*this, event->position().toPoint());
}

void TPlanPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    FPanel.PaintBoxMouseUp(*this, event->position().toPoint(), event->button(),
                           event->globalPosition().toPoint());
}

void TPlanScrollBox::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QScrollArea::wheelEvent(event);
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - (delta > 0 ? 1 : -1) * 8 * 8);
    event->accept();
}

TFormPlanPanel::TFormPlanPanel(QWidget* parent) : QWidget(parent), FPlan(std::make_unique<TPlan>()) {
    setObjectName("FormPlanPanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pgcMain = new QTabWidget(this);
    pgcMain->setObjectName("pgcMain");
    layout->addWidget(pgcMain);

    int index = 0;
    for (const TPageDef& def : PageDefs) {
        auto* sheet = new QWidget();
        sheet->setObjectName(def.sheet);
        auto* sheetLayout = new QVBoxLayout(sheet);
        sheetLayout->setContentsMargins(0, 0, 0, 0);
        sheetLayout->setSpacing(0);
        if (index == PageTermine) {
            ToolBarTerminAuswahl = new QToolBar(sheet);
            ToolBarTerminAuswahl->setObjectName("ToolBarTerminAuswahl");
            FModeGroup = new QButtonGroup(this);
            FModeGroup->setExclusive(true);
            const std::pair<const char*, const char*> modes[] = {
                {"ToolButtonSpielplan", "Spielplan"},
                {"ToolButtonMannschaftsplaene", "Mannschaftspläne"},
                {"ToolButtonMannschaftsplaeneMitNachbarn", "Mannschaftspläne mit Nachbarmannschaften"}};
            int id = 0;
            for (const auto& [name, caption] : modes) {
                auto* button = new QToolButton(ToolBarTerminAuswahl);
                button->setObjectName(name);
                button->setText(QString::fromUtf8(caption));
                button->setCheckable(true);
                button->setChecked(id == 0);
                button->setToolButtonStyle(Qt::ToolButtonTextOnly);
                FModeGroup->addButton(button, id++);
                ToolBarTerminAuswahl->addWidget(button);
            }
            connect(FModeGroup, &QButtonGroup::idClicked, this,
                    [this](int id) { SetMode(static_cast<TTerminplanMode>(id)); });
            sheetLayout->addWidget(ToolBarTerminAuswahl);
        }
        auto* scroll = new TPlanScrollBox(sheet);
        scroll->setObjectName(def.scrollBox);
        scroll->setBackgroundRole(QPalette::Base);
        QPalette palette = scroll->palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Window, Qt::white);
        scroll->setPalette(palette);
        scroll->setAutoFillBackground(true);
        auto* box = new TPlanPaintBox(*this, index, scroll);
        box->setObjectName(def.paintBox);
        scroll->setWidget(box);
        scroll->setWidgetResizable(false);
        sheetLayout->addWidget(scroll);
        pgcMain->addTab(sheet, QString::fromUtf8(def.caption));
        FScrollBoxes.push_back(scroll);
        FPaintBoxes.push_back(box);
        ++index;
    }
}

TFormPlanPanel::~TFormPlanPanel() = default;

void TFormPlanPanel::SetPlan(const TPlan* plan) {
    if (plan == nullptr) {
        return;
    }
    FPlan->Assign(*plan);
    FPlan->CalculateKosten(-1);
    Repaint();
}

void TFormPlanPanel::SetZoom(double value) {
    FZoomValue = value;
    Repaint();
}

void TFormPlanPanel::SetMode(TTerminplanMode mode) {
    FMode = mode;
    if (QAbstractButton* button = FModeGroup->button(static_cast<int>(mode))) {
        button->setChecked(true);
    }
    Repaint();
}

void TFormPlanPanel::Repaint() {
    for (TPlanScrollBox* scroll : FScrollBoxes) {
        scroll->viewport()->update();
    }
    for (TPlanPaintBox* box : FPaintBoxes) {
        box->update();
    }
}

TPageExtent TFormPlanPanel::DrawPage(int pageIndex, TZoomCanvas& canvas, bool forPrint) {
    switch (pageIndex) {
    case PageTerminMeldung:
        return DrawTerminWuenschePage(canvas, *FPlan, forPrint);
    case PageSisterTeams:
        return DrawSisterTeamsPage(canvas, *FPlan, forPrint);
    case PageKosten:
        return DrawKostenPage(canvas, *FPlan, forPrint);
    case PageTermine:
        return DrawTerminplanPage(canvas, *FPlan, FMode, forPrint);
    default:
        return DrawDiagramPage(canvas, *FPlan, forPrint);
    }
}

void TFormPlanPanel::PaintBoxPaint(TPlanPaintBox& box, QPaintEvent& event) {
    std::erase_if(FActionRects, [&box](const TActionRectPtr& r) { return r->getPaintBoxOwner() == &box; });

    QPainter painter(&box);
    painter.fillRect(event.rect(), Qt::white);
    TZoomCanvas canvas(&painter, FZoomValue);
    const int margin = canvas.ConvertXCoord(ScreenMarginX);
    painter.translate(margin, 0);
    // The whole page is drawn without a vertical window (only a printer sets one): the painter
    // clips to the exposed area, and a line or shading that begins above it still shows in it.
    // Only texts wholly outside the exposed rows are left out, for speed.
    canvas.SetExposedRows(event.rect().top(), event.rect().bottom());
    const TPageExtent extent = DrawPage(box.PageIndex(), canvas, false);

    const int height = canvas.ConvertYCoord(extent.Height);
    const int width = canvas.ConvertXCoord(extent.Width);
    const QSize size((width >= 460 ? width + 40 : 500) + margin, height >= 60 ? height + 40 : 100);
    if (box.size() != size) {
        // Resizing inside a paint would recurse; the new size is painted next.
        QMetaObject::invokeMethod(
            &box, [&box, size] { box.resize(size); }, Qt::QueuedConnection);
    }

    for (const TActionRectPtr& rect : canvas.ActionRects()) {
        rect->setPaintBoxOwner(&box);
        const TIntRect r = rect->getRect();
        rect->setRect(TIntRect{margin + canvas.ConvertXCoord(r.Left), canvas.ConvertYCoord(r.Top),
                               margin + canvas.ConvertXCoord(r.Right), canvas.ConvertYCoord(r.Bottom)});
        if (auto* kosten = dynamic_cast<TActionRectKosten*>(rect.get())) {
            kosten->SetHandler([this](const TActionRectKosten& hit) {
                if (OnKostenAction) {
                    OnKostenAction(hit);
                }
            });
        }
        FActionRects.push_back(rect);
    }
}

void TFormPlanPanel::PaintBoxMouseMove(TPlanPaintBox& box, QPoint position) {
    // Only areas that react to a click show the hand; game lines only have a context menu.
    const bool over = std::any_of(FActionRects.begin(), FActionRects.end(), [&](const TActionRectPtr& r) {
        return r->getPaintBoxOwner() == &box && r->getRect().Contains(position) &&
               dynamic_cast<const TActionRectKosten*>(r.get()) != nullptr;
    });
    if (over) {
        box.setCursor(Qt::PointingHandCursor);
    } else {
        box.unsetCursor();
    }
}

void TFormPlanPanel::PaintBoxMouseUp(TPlanPaintBox& box, QPoint position, Qt::MouseButton button,
                                     QPoint globalPosition) {
    if (button == Qt::RightButton) {
        for (const TActionRectPtr& r : FActionRects) {
            if (r->getPaintBoxOwner() == &box && r->getRect().Contains(position)) {
                if (const auto* game = dynamic_cast<const TActionRectGame*>(r.get());
                    game && OnGameContextMenu) {
                    // A copy: the menu's action repaints and so replaces the hit areas.
                    const TActionRectGame hit = *game;
                    OnGameContextMenu(hit, globalPosition);
                    return;
                }
            }
        }
        return;
    }
    if (button != Qt::LeftButton) {
        return;
    }
    // An action may open a dialog that repaints and so replaces the hit areas.
    std::vector<TActionRectPtr> hits;
    for (const TActionRectPtr& r : FActionRects) {
        if (r->getPaintBoxOwner() == &box && r->getRect().Contains(position)) {
            hits.push_back(r);
        }
    }
    for (const TActionRectPtr& r : hits) {
        r->DoAction(position);
    }
}

} // namespace terminor
