// The "Wunschtermine" page, its per-team week grid and the grid's cell editing.

#include "app/entry/DialogPanelHomeDays.h"

#include <algorithm>
#include <functional>
#include <optional>

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/entry/DialogEditOneHomeDay.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"

namespace terminor {

namespace {

/// The smallest width of a day column.
constexpr int DesignColumnWidth = 60;
/// Room beside the widest text of a column.
constexpr int ColumnTextMargin = 20;

} // namespace

/// The grid's cell editor: tells the page before an editor opens (so the texts are normalised
/// before the editor reads them) and can commit the editor that is open.
class TWishGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    std::function<void(const QModelIndex&)> EditStarting;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (EditStarting) {
            EditStarting(index);
        }
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        Editor = editor;
        return editor;
    }

    /// Writes the text of an open editor into its cell.
    void CommitOpenEditor() {
        if (Editor) {
            emit commitData(Editor);
        }
    }

private:
    mutable QPointer<QWidget> Editor;
};

TDialogPanelHomeDaysDetail::TDialogPanelHomeDaysDetail(QWidget* parent) : TDialogTeamPanel(parent) {
    auto* layout = new QVBoxLayout(PanelMain);
    layout->setContentsMargins(0, 0, 0, 0);
    GridHomeDays = new QTableWidget(0, TWishGridWeeks::Columns, PanelMain);
    GridHomeDays->setObjectName("GridHomeDays");
    QStringList headers;
    for (std::string_view header : TWishGridWeeks::ColumnHeaders()) {
        headers << QString::fromUtf8(header.data(), static_cast<qsizetype>(header.size()));
    }
    GridHomeDays->setHorizontalHeaderLabels(headers);
    GridHomeDays->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click opens "Wunschtermin"; typing edits the cell.
    GridHomeDays->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    GridHomeDays->setContextMenuPolicy(Qt::CustomContextMenu);
    GridHomeDays->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // One line of text per week, so that many weeks fit.
    GridHomeDays->verticalHeader()->setDefaultSectionSize(GridHomeDays->fontMetrics().height() + 8);
    Delegate = new TWishGridDelegate(GridHomeDays);
    Delegate->EditStarting = [this](const QModelIndex& index) {
        GuardedEntry(this, [&] { EditStarting(index.row(), index.column()); });
    };
    GridHomeDays->setItemDelegate(Delegate);
    layout->addWidget(GridHomeDays, 1);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName("PopupMenu");
    MenuEdit = PopupMenu->addAction("Bearbeiten...");
    MenuEdit->setObjectName("MenuEdit");
    MenuDelete = PopupMenu->addAction("Löschen");
    MenuDelete->setObjectName("MenuDelete");
    connect(MenuEdit, &QAction::triggered, this, [this] {
        GuardedEntry(this, [this] { EditCell(GridHomeDays->currentRow(), GridHomeDays->currentColumn()); });
    });
    connect(MenuDelete, &QAction::triggered, this, [this] {
        GuardedEntry(this, [this] { DeleteCell(GridHomeDays->currentRow(), GridHomeDays->currentColumn()); });
    });
    connect(GridHomeDays, &QTableWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index = GridHomeDays->indexAt(pos);
        if (!index.isValid()) {
            return;
        }
        GridHomeDays->setCurrentCell(index.row(), index.column());
        UpdatePopup();
        PopupMenu->popup(GridHomeDays->viewport()->mapToGlobal(pos));
    });
    connect(GridHomeDays, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { GuardedEntry(this, [&] { EditCell(row, column); }); });
    connect(GridHomeDays, &QTableWidget::itemChanged, this, [this] {
        if (!isFilling()) {
            GuardedEntry(this, [this] {
                FitColumns();
                DoChange();
            });
        }
    });
}

TDialogPanelHomeDaysDetail::~TDialogPanelHomeDaysDetail() = default;

void TDialogPanelHomeDaysDetail::DataToForm() {
    FWeeks = std::make_unique<TWishGridWeeks>(PlanData->root().GetAsDate("from"),
                                              PlanData->root().GetAsDate("until"));
    const TFillGuard guard(*this);
    GridHomeDays->setRowCount(FWeeks->RowCount());
    QStringList rowHeaders;
    for (int row = 0; row < FWeeks->RowCount(); ++row) {
        rowHeaders << Qs(FWeeks->RowHeader(row));
    }
    GridHomeDays->setVerticalHeaderLabels(rowHeaders);
    THomeDayList records;
    PlanData->GetHomeDays(TeamName, records);
    Fill(records, true);
}

void TDialogPanelHomeDaysDetail::Fill(const THomeDayList& records, bool fromPlanData) {
    const TFillGuard guard(*this);
    const TWishGridContent content = WishGridContent(*FWeeks, records);
    {
        const QSignalBlocker blocker(GridHomeDays);
        for (int row = 0; row < FWeeks->RowCount(); ++row) {
            for (int column = 0; column < TWishGridWeeks::Columns; ++column) {
                SetCellText(row, column,
                            content.Texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
            }
        }
    }
    FFilled = records;
    FFilledInGrid = WishGridRecords(*FWeeks, content.Texts);
    FHidden = content.Hidden;
    FFilledFromPlanData = fromPlanData;
    FLastEditedRow = -1;
    FLastEditedColumn = -1;
    FitColumns();
    GridHomeDays->viewport()->update();
}

void TDialogPanelHomeDaysDetail::SetCellText(int row, int column, const std::string& text) {
    QTableWidgetItem* item = GridHomeDays->item(row, column);
    if (item == nullptr) {
        GridHomeDays->setItem(row, column, new QTableWidgetItem(Qs(text)));
    } else if (item->text() != Qs(text)) {
        item->setText(Qs(text));
    }
}

void TDialogPanelHomeDaysDetail::FitColumns() {
    const QFontMetrics cellMetrics = GridHomeDays->fontMetrics();
    const QFontMetrics headerMetrics = GridHomeDays->horizontalHeader()->fontMetrics();
    for (int column = 0; column < TWishGridWeeks::Columns; ++column) {
        const QTableWidgetItem* header = GridHomeDays->horizontalHeaderItem(column);
        int width =
            std::max(DesignColumnWidth,
                     headerMetrics.horizontalAdvance(header ? header->text() : QString()) + ColumnTextMargin);
        for (int row = 0; row < GridHomeDays->rowCount(); ++row) {
            if (const QTableWidgetItem* item = GridHomeDays->item(row, column);
                item && !item->text().isEmpty()) {
                width = std::max(width, cellMetrics.horizontalAdvance(item->text()) + ColumnTextMargin);
            }
        }
        if (GridHomeDays->columnWidth(column) != width) {
            GridHomeDays->setColumnWidth(column, width);
        }
    }
}

TWishGridTexts TDialogPanelHomeDaysDetail::GridTexts() {
    Delegate->CommitOpenEditor();
    return CellTexts();
}

TWishGridTexts TDialogPanelHomeDaysDetail::CellTexts() const {
    TWishGridTexts texts(static_cast<std::size_t>(FWeeks->RowCount()));
    for (int row = 0; row < FWeeks->RowCount(); ++row) {
        for (int column = 0; column < TWishGridWeeks::Columns; ++column) {
            if (const QTableWidgetItem* item = GridHomeDays->item(row, column)) {
                texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = Ss(item->text());
            }
        }
    }
    return texts;
}

TDialogPanelHomeDaysDetail::TWrite TDialogPanelHomeDaysDetail::WriteKind(const TWishGridTexts& texts) const {
    if (!SameHomeDays(WishGridRecords(*FWeeks, texts), FFilledInGrid)) {
        return TWrite::GridRecords;
    }
    // Unchanged: the records the grid was filled with stay whole, hidden ones included.
    return FFilledFromPlanData ? TWrite::Nothing : TWrite::FilledRecords;
}

THomeDayList TDialogPanelHomeDaysDetail::RecordsAfterWrite(const TWishGridTexts& texts) const {
    return WriteKind(texts) == TWrite::GridRecords ? WishGridRecords(*FWeeks, texts) : FFilled;
}

void TDialogPanelHomeDaysDetail::FormToData() {
    const TWishGridTexts texts = GridTexts();
    switch (WriteKind(texts)) {
    case TWrite::Nothing:
        break;
    case TWrite::FilledRecords:
        PlanData->SetHomeDays(TeamName, FFilled);
        break;
    case TWrite::GridRecords:
        PlanData->SetHomeDays(TeamName, WishGridRecords(*FWeeks, texts));
        break;
    }
}

std::vector<std::string> TDialogPanelHomeDaysDetail::Losses() {
    const TWishGridTexts texts = GridTexts();
    const bool hiddenLost = WriteKind(texts) == TWrite::GridRecords;
    return WishGridLosses(*FWeeks, texts, hiddenLost ? FHidden : std::vector<THomeDay>{});
}

bool TDialogPanelHomeDaysDetail::CheckData() {
    if (const std::optional<TDateTime> date =
            FirstUnpairedDoubleDate(WishGridRecords(*FWeeks, GridTexts()))) {
        ShowEntryMessage(this, Qs(UnpairedDoubleDateMessage(*date)));
        return false;
    }
    const std::vector<std::string> losses = Losses();
    return losses.empty() || AskEntryYesNo(this, Qs(WishGridLossQuestion(TeamName, losses)));
}

THomeDayList TDialogPanelHomeDaysDetail::DefaultRecords() const {
    THomeDayList records;
    if (PlanDataDefault != nullptr) {
        if (const TDataObject* team = FindDefaultTeam(*PlanData, *PlanDataDefault, TeamName)) {
            PlanDataDefault->GetHomeDays(team->GetAsString("teamname"), records);
        }
    }
    return records;
}

void TDialogPanelHomeDaysDetail::toDefault() {
    if (PlanDataDefault != nullptr) {
        Fill(DefaultRecords(), false);
        DoChange();
    }
}

bool TDialogPanelHomeDaysDetail::isDefault() {
    return PlanDataDefault == nullptr || SameHomeDays(RecordsAfterWrite(CellTexts()), DefaultRecords());
}

void TDialogPanelHomeDaysDetail::NormalizeCell(int row, int column) {
    if (row < 0 || row >= FWeeks->RowCount() || column < 0 || column >= TWishGridWeeks::Columns) {
        return;
    }
    const QTableWidgetItem* item = GridHomeDays->item(row, column);
    const std::string text = item ? Ss(item->text()) : std::string();
    SetCellText(row, column, NormalizeWishCellText(FWeeks->CellDate(row, column), text));
}

void TDialogPanelHomeDaysDetail::EditStarting(int row, int column) {
    if (FLastEditedRow >= 0 && (FLastEditedRow != row || FLastEditedColumn != column)) {
        NormalizeCell(FLastEditedRow, FLastEditedColumn);
    }
    NormalizeCell(row, column);
    FLastEditedRow = row;
    FLastEditedColumn = column;
}

void TDialogPanelHomeDaysDetail::EditCell(int row, int column) {
    if (row < 0 || row >= FWeeks->RowCount() || column < 0 || column >= TWishGridWeeks::Columns) {
        return;
    }
    const TDateTime day = FWeeks->CellDate(row, column);
    const QTableWidgetItem* item = GridHomeDays->item(row, column);
    const TWishCell cell = ReadWishCell(day, item ? Ss(item->text()) : std::string());
    TDialogEditOneHomeDay dialog(this);
    dialog.SetValues(day, cell.Record);
    if (dialog.exec() == QDialog::Accepted) {
        SetCellText(row, column, dialog.GetValues().AsShortString());
    }
}

void TDialogPanelHomeDaysDetail::DeleteCell(int row, int column) {
    if (row >= 0 && row < GridHomeDays->rowCount() && column >= 0 && column < TWishGridWeeks::Columns) {
        SetCellText(row, column, {});
    }
}

void TDialogPanelHomeDaysDetail::UpdatePopup() {
    const QTableWidgetItem* item = GridHomeDays->currentItem();
    MenuDelete->setEnabled(item != nullptr && !item->text().isEmpty());
}

TDialogPanelHomeDays::TDialogPanelHomeDays(QWidget* parent) : TDialogPanelMultiTeams(parent) {
    setWindowTitle(getCaption());
}

std::unique_ptr<TDialogTeamPanel> TDialogPanelHomeDays::getDialogClass() const {
    return std::make_unique<TDialogPanelHomeDaysDetail>();
}

QString TDialogPanelHomeDays::getCaption() const {
    return "Wunschtermine";
}

QString TDialogPanelHomeDays::getHeaderText() const {
    return "Beispiele für die Termineingabe:\n"
           "18:00: Mannschaft kann um 18:00 Uhr ein Heimspiel austragen.\n"
           "FREI: Eingabe des Textes 'FREI' bedeutet, dass die Mannschaft an diesem Tag kein Spiel machen "
           "will.\n"
           "Keine Eingabe: Die Mannschaft kann an diesem Tag ein Auswärtsspiel wahrnehmen.\n\n"
           "Weitere Optionen (maximale Heimspiele, Koppeloptionen, Ausweichtermin etc.) mit Doppelklick oder "
           "Maus rechts.";
}

} // namespace terminor
