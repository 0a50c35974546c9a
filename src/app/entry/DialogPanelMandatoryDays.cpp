// The "Plichtspieltage" page and the period dialog "Pflichtspieltag".

#include "app/entry/DialogPanelMandatoryDays.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "app/entry/EntryDialogParts.h"
#include "data/PlanUtils.h"
#include "model/MandatoryPeriods.h"

namespace terminor {

namespace {

constexpr int MaxListedGameCount = 10;

/// The drop-down of the counts "1" to "10".
void FillGameCounts(QComboBox* combo) {
    for (int n = 1; n <= MaxListedGameCount; ++n) {
        combo->addItem(QString::number(n));
    }
}

int Today() {
    return DayNumber(FromQDate(QDate::currentDate()));
}

} // namespace

TFormEditMandatoryDatesDialog::TFormEditMandatoryDatesDialog(QWidget* parent) : QDialog(parent) {
    QFormLayout* form = NewDialogForm(this, "Pflichtspieltag");
    DateTimePicker1 = NewDatePicker(this, "DateTimePicker1");
    form->addRow("von:", DateTimePicker1);
    DateTimePicker2 = NewDatePicker(this, "DateTimePicker2");
    form->addRow("bis:", DateTimePicker2);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    FillGameCounts(ComboBox1);
    form->addRow("Minimale Anzahl Spiele:", ComboBox1);
    AddOkCancelRow(this, ButtonOK, ButtonCancel);
    connect(ButtonOK, &QPushButton::clicked, this,
            [this] { GuardedEntry(this, [this] { ButtonOKClick(); }); });
}

void TFormEditMandatoryDatesDialog::SetValues(const TPlanMandatoryTime& period) {
    DateTimePicker1->setDate(ToQDate(period.DateFrom));
    DateTimePicker2->setDate(ToQDate(period.DateTo));
    FGameCount = period.GameCount;
    SelectComboText(ComboBox1, QString::number(period.GameCount));
}

TPlanMandatoryTime TFormEditMandatoryDatesDialog::GetValues() const {
    TPlanMandatoryTime period;
    period.DateFrom = FromQDate(DateTimePicker1->date());
    period.DateTo = FromQDate(DateTimePicker2->date());
    const QString count = GetComboText(ComboBox1);
    period.GameCount = count.isEmpty() ? FGameCount : count.toInt();
    return period;
}

void TFormEditMandatoryDatesDialog::ButtonOKClick() {
    const TPlanMandatoryTime period = GetValues();
    if (!IsMandatoryPeriodInOrder(period.DateFrom, period.DateTo)) {
        ShowEntryMessage(this, "Das \"bis\" Datum darf nicht kleiner als das \"von\" Datum sein");
        return;
    }
    accept();
}

bool EditMandatoryTime(QWidget* parent, TPlanMandatoryTime& period) {
    TFormEditMandatoryDatesDialog dialog(parent);
    dialog.SetValues(period);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    period = dialog.GetValues();
    return true;
}

TDialogPanelMandatoryDays::TDialogPanelMandatoryDays(QWidget* parent) : TDialogPanel(parent) {
    setWindowTitle("Plichtspieltage");
    auto* layout = new QVBoxLayout(PanelMain);
    LabelText = new QLabel("In diesen Zeiträumen müssen die Mannschaften mindestens eine bestimmte Anzahl "
                           "Spiele machen\n(Maus rechts für Löschen und Hinzufügen)",
                           PanelMain);
    LabelText->setObjectName("LabelText");
    LabelText->setWordWrap(true);
    layout->addWidget(LabelText);
    ValueListMandatory = new QTableWidget(0, 2, PanelMain);
    ValueListMandatory->setObjectName("ValueListMandatory");
    ValueListMandatory->horizontalHeader()->hide();
    ValueListMandatory->verticalHeader()->hide();
    ValueListMandatory->setSelectionBehavior(QAbstractItemView::SelectRows);
    ValueListMandatory->setSelectionMode(QAbstractItemView::SingleSelection);
    ValueListMandatory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ValueListMandatory->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ValueListMandatory->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    ValueListMandatory->setColumnWidth(1, 90);
    ValueListMandatory->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(ValueListMandatory, 1);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName("PopupMenu");
    MenuNew = PopupMenu->addAction("Neu...");
    MenuNew->setObjectName("MenuNew");
    MenuEdit = PopupMenu->addAction("Bearbeiten...");
    MenuEdit->setObjectName("MenuEdit");
    MenuDelete = PopupMenu->addAction("Löschen...");
    MenuDelete->setObjectName("MenuDelete");
    connect(MenuNew, &QAction::triggered, this, [this] { GuardedEntry(this, [this] { NewClick(); }); });
    connect(MenuEdit, &QAction::triggered, this, [this] { GuardedEntry(this, [this] { EditClick(); }); });
    connect(MenuDelete, &QAction::triggered, this, [this] { GuardedEntry(this, [this] { DeleteClick(); }); });
    connect(ValueListMandatory, &QWidget::customContextMenuRequested, this,
            &TDialogPanelMandatoryDays::ShowPopup);
}

void TDialogPanelMandatoryDays::ShowPeriods(const TPlanMandatoryTimeList& periods, int selectRow) {
    const TFillGuard guard(*this);
    Periods = periods;
    ValueListMandatory->setRowCount(0);
    if (Periods.empty()) {
        ValueListMandatory->setRowCount(1);
        auto* item = new QTableWidgetItem("Keine Pflichtspieltermine vorhanden");
        ValueListMandatory->setItem(0, 0, item);
        ValueListMandatory->setItem(0, 1, new QTableWidgetItem());
        return;
    }
    ValueListMandatory->setRowCount(static_cast<int>(Periods.size()));
    for (int row = 0; row < static_cast<int>(Periods.size()); ++row) {
        const TPlanMandatoryTime& period = Periods[static_cast<std::size_t>(row)];
        ValueListMandatory->setItem(
            row, 0,
            new QTableWidgetItem(Qs(FormatDayDate(period.DateFrom) + " - " + FormatDayDate(period.DateTo))));
        auto* combo = new QComboBox(ValueListMandatory);
        combo->setObjectName("ComboBoxGameCount");
        FillGameCounts(combo);
        const QString count = QString::number(period.GameCount);
        if (combo->findText(count) < 0) {
            combo->addItem(count); // a count outside 1 to 10 from the file stays as it is
        }
        SelectComboText(combo, count);
        // A right click on the drop-down opens the page's popup like one on the rest of the row.
        combo->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(combo, &QWidget::customContextMenuRequested, this, [this, combo](const QPoint& position) {
            ShowPopup(ValueListMandatory->viewport()->mapFromGlobal(combo->mapToGlobal(position)));
        });
        connect(combo, &QComboBox::currentTextChanged, this, [this, row](const QString& text) {
            Periods[static_cast<std::size_t>(row)].GameCount = text.toInt();
            DoChange();
        });
        ValueListMandatory->setCellWidget(row, 1, combo);
    }
    ValueListMandatory->resizeColumnToContents(0);
    if (selectRow >= 0 && selectRow < ValueListMandatory->rowCount()) {
        ValueListMandatory->selectRow(selectRow);
    }
}

void TDialogPanelMandatoryDays::DataToForm() {
    TPlanMandatoryTimeList periods = ReadMandatoryPeriods(*PlanData);
    periods.Sort();
    ShowPeriods(periods, 0);
}

void TDialogPanelMandatoryDays::FormToData() {
    WriteMandatoryPeriods(*PlanData, Periods);
}

void TDialogPanelMandatoryDays::toDefault() {
    if (PlanDataDefault == nullptr) {
        return;
    }
    TPlanMandatoryTimeList periods = ReadMandatoryPeriods(*PlanDataDefault);
    periods.Sort();
    ShowPeriods(periods, 0);
    DoChange();
}

bool TDialogPanelMandatoryDays::isDefault() {
    if (PlanDataDefault == nullptr) {
        return true;
    }
    TPlanMandatoryTimeList periods = ReadMandatoryPeriods(*PlanDataDefault);
    periods.Sort();
    return std::equal(
        Periods.begin(), Periods.end(), periods.begin(), periods.end(),
        [](const TPlanMandatoryTime& a, const TPlanMandatoryTime& b) { return a.IsTheSame(b); });
}

int TDialogPanelMandatoryDays::SelectedPeriod() const {
    const int row = ValueListMandatory->currentRow();
    return row >= 0 && row < static_cast<int>(Periods.size()) ? row : -1;
}

void TDialogPanelMandatoryDays::StoreEdited(int index, const TPlanMandatoryTime& period) {
    TPlanMandatoryTimeList periods = Periods;
    const int row = StoreMandatoryPeriod(periods, index, period);
    ShowPeriods(periods, row);
    DoChange();
}

void TDialogPanelMandatoryDays::NewClick() {
    TPlanMandatoryTime period{static_cast<TDateTime>(Today()), static_cast<TDateTime>(Today()), 1};
    if (EditMandatoryTime(this, period)) {
        StoreEdited(-1, period);
    }
}

void TDialogPanelMandatoryDays::EditClick() {
    const int index = SelectedPeriod();
    if (index < 0) {
        return;
    }
    TPlanMandatoryTime period = Periods[static_cast<std::size_t>(index)];
    if (EditMandatoryTime(this, period)) {
        StoreEdited(index, period);
    }
}

void TDialogPanelMandatoryDays::DeleteClick() {
    const int index = SelectedPeriod();
    if (index < 0) {
        return;
    }
    TPlanMandatoryTimeList periods = Periods;
    periods.erase(periods.begin() + index);
    ShowPeriods(periods, std::min(index, static_cast<int>(periods.size()) - 1));
    DoChange();
}

void TDialogPanelMandatoryDays::ShowPopup(const QPoint& position) {
    const QModelIndex index = ValueListMandatory->indexAt(position);
    if (index.isValid()) {
        ValueListMandatory->selectRow(index.row());
    }
    const bool onPeriod = index.isValid() && SelectedPeriod() >= 0;
    MenuEdit->setEnabled(onPeriod);
    MenuDelete->setEnabled(onPeriod);
    PopupMenu->popup(ValueListMandatory->viewport()->mapToGlobal(position));
}

} // namespace terminor
