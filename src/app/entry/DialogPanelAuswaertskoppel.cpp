// The "Auswärtskoppeltermine" page, its per-team detail page and the dialog
// "Auswärtskoppelwunsch".

#include "app/entry/DialogPanelAuswaertskoppel.h"

#include <algorithm>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/WindowHelpers.h"
#include "app/entry/EntryDialogParts.h"
#include "app/entry/ValueList.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"
#include "data/PlanUtils.h"

namespace terminor {

namespace {

constexpr int AlternativeWidth = 80;

/// Selects `name` in a team combo; a name that is no team of the plan (any more) is offered too.
void SelectTeam(QComboBox* combo, const std::string& name) {
    if (!name.empty() && combo->findText(Qs(name)) < 0) {
        combo->addItem(Qs(name));
    }
    SelectComboText(combo, Qs(name));
}

} // namespace

TDialogEditOneAuswaertsKoppel::TDialogEditOneAuswaertsKoppel(const TPlanData& planData,
                                                             const std::string& teamName, int index,
                                                             QWidget* parent)
    : QDialog(parent), FPlanData(planData), FTeamName(teamName), FIndex(index) {
    QFormLayout* form = NewDialogForm(this, "Auswärtskoppelwunsch");
    ComboBoxTeam1 = new QComboBox(this);
    ComboBoxTeam1->setObjectName("ComboBoxTeam1");
    ComboBoxTeam2 = new QComboBox(this);
    ComboBoxTeam2->setObjectName("ComboBoxTeam2");
    for (QComboBox* combo : {ComboBoxTeam1, ComboBoxTeam2}) {
        for (const std::string& name : OtherTeamNames(planData, teamName)) {
            combo->addItem(Qs(name));
        }
        combo->setCurrentIndex(-1);
        combo->setMinimumWidth(280);
    }
    form->addRow("Manschaft 1:", ComboBoxTeam1);
    form->addRow("Manschaft 2:", ComboBoxTeam2);
    ComboBoxKind = new QComboBox(this);
    ComboBoxKind->setObjectName("ComboBoxKind");
    for (const std::string& kind : RoadCoupleKinds()) {
        ComboBoxKind->addItem(Qs(kind));
    }
    form->addRow("Art:", ComboBoxKind);
    AddOkCancelRow(this, ButtonOK, ButtonCancel);
    connect(ButtonOK, &QPushButton::clicked, this,
            [this] { GuardedEntry(this, [this] { ButtonOKClick(); }); });
}

void TDialogEditOneAuswaertsKoppel::SetValues(const TRoadCouple& couple) {
    SelectTeam(ComboBoxTeam1, couple.TeamA);
    SelectTeam(ComboBoxTeam2, couple.TeamB);
    ComboBoxKind->setCurrentIndex(std::clamp(couple.SameDay, 0, ComboBoxKind->count() - 1));
}

TRoadCouple TDialogEditOneAuswaertsKoppel::GetValues() const {
    return {Ss(GetComboText(ComboBoxTeam1)), Ss(GetComboText(ComboBoxTeam2)), ComboBoxKind->currentIndex()};
}

void TDialogEditOneAuswaertsKoppel::ButtonOKClick() {
    const TRoadCouple couple = GetValues();
    QString message;
    if (couple.TeamA.empty()) {
        message = "Bitte Mannschaft 1 angegeben";
    } else if (couple.TeamB.empty()) {
        message = "Bitte Mannschaft 2 angegeben";
    } else if (couple.TeamA == couple.TeamB) {
        message = "Mannschaft 1 und 2 müssen unterschiedlich sein";
    } else if (const int existing = FindRoadCouple(FPlanData, FTeamName, couple);
               existing >= 0 && existing != FIndex) {
        message = RoadCoupleExistsMessage;
    }
    if (!message.isEmpty()) {
        ShowEntryMessage(this, message);
        return;
    }
    accept();
}

TDialogPanelAuswaertsKoppelDetail::TDialogPanelAuswaertsKoppelDetail(QWidget* parent)
    : TDialogTeamPanel(parent) {
    auto* layout = new QVBoxLayout(PanelMain);
    layout->setContentsMargins(0, 0, 0, 0);
    LabelKoppel = new QLabel("Auswärtskoppelwünsche", PanelMain);
    LabelKoppel->setObjectName("LabelKoppel");
    layout->addWidget(LabelKoppel);
    auto* row = new QHBoxLayout();
    ListBoxKoppel = new QListWidget(PanelMain);
    ListBoxKoppel->setObjectName("ListBoxKoppel");
    row->addWidget(ListBoxKoppel, 1);
    const TListButtons buttons =
        AddListButtons(row, PanelMain, "Neuer Wunsch...", "Wunsch bearbeiten...", "Wunsch Löschen...");
    ButtonNew = buttons.New;
    ButtonEdit = buttons.Edit;
    ButtonDelete = buttons.Delete;
    layout->addLayout(row, 1);
    LabelAlternatives =
        new QLabel("Um Auswärtskoppeltermine zu ermöglichen soll bei diesen Terminwünschen im "
                   "Bedarfsfall eine andere Anfangszeit gewählt werden.\n"
                   "(geben Sie die alternative Anfangszeit ein, leer = keine alternative Zeit)",
                   PanelMain);
    LabelAlternatives->setObjectName("LabelAlternatives");
    LabelAlternatives->setWordWrap(true);
    layout->addWidget(LabelAlternatives);
    ValueListAlternatives = NewValueList(PanelMain, "ValueListAlternatives", AlternativeWidth);
    ValueListAlternatives->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(ValueListAlternatives, 2);
    PopupMenuAlternatives = new QMenu(this);
    PopupMenuAlternatives->setObjectName("PopupMenuAlternatives");
    QAction* setAll = PopupMenuAlternatives->addAction("Alles setzen");
    setAll->setObjectName("MenuItemSetAll");
    QAction* clearAll = PopupMenuAlternatives->addAction("Alle löschen");
    clearAll->setObjectName("MenuItemClearAll");
    connect(setAll, &QAction::triggered, this, &TDialogPanelAuswaertsKoppelDetail::SetAllAlternatives);
    connect(clearAll, &QAction::triggered, this, &TDialogPanelAuswaertsKoppelDetail::ClearAllAlternatives);
    connect(ValueListAlternatives, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenuAlternatives->popup(ValueListAlternatives->viewport()->mapToGlobal(pos));
    });

    ConnectListButtons(
        this, buttons, [this] { ButtonNewClick(); }, [this] { ButtonEditClick(); },
        [this] { ButtonDeleteClick(); });
    connect(ListBoxKoppel, &QListWidget::itemDoubleClicked, this,
            [this] { GuardedEntry(this, [this] { ButtonEditClick(); }); });
    connect(ListBoxKoppel, &QListWidget::currentRowChanged, this,
            &TDialogPanelAuswaertsKoppelDetail::UpdateButtons);
    UpdateButtons();
}

void TDialogPanelAuswaertsKoppelDetail::FillWishes(int selectRow) {
    const TFillGuard guard(*this);
    ListBoxKoppel->clear();
    for (const TRoadCouple& couple : GetRoadCouples(*PlanData, TeamName)) {
        ListBoxKoppel->addItem(Qs(RoadCoupleText(couple)));
    }
    if (selectRow >= 0 && selectRow < ListBoxKoppel->count()) {
        ListBoxKoppel->setCurrentRow(selectRow);
    }
    UpdateButtons();
}

void TDialogPanelAuswaertsKoppelDetail::UpdateButtons() {
    const bool selected = ListBoxKoppel->currentRow() >= 0;
    ButtonEdit->setEnabled(selected);
    ButtonDelete->setEnabled(selected);
}

void TDialogPanelAuswaertsKoppelDetail::DataToForm() {
    const TFillGuard guard(*this);
    FillWishes(0);
    FAlternatives = RelevantAlternativeKickOffs(*PlanData, TeamName);
    ValueListAlternatives->setRowCount(0);
    // Any time of day, or nothing; what cannot be read when written counts as nothing.
    static const QRegularExpression timeText("^$|^([01]?[0-9]|2[0-3]):[0-5][0-9]$");
    for (const TAlternativeKickOff& entry : FAlternatives) {
        auto* edit = new QLineEdit(ValueListAlternatives);
        edit->setObjectName("EditAlternative");
        edit->setValidator(new QRegularExpressionValidator(timeText, edit));
        edit->setText(entry.Alternative ? Qs(FormatTime(*entry.Alternative)) : QString());
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QWidget::customContextMenuRequested, this,
                [this, edit](const QPoint& pos) { PopupMenuAlternatives->popup(edit->mapToGlobal(pos)); });
        connect(edit, &QLineEdit::textChanged, this, [this] { DoChange(); });
        AddValueRow(ValueListAlternatives, Qs(FormatDayDate(entry.Date) + " " + FormatTime(entry.Date)),
                    edit);
    }
    if (FAlternatives.empty()) {
        AddValueListNote(ValueListAlternatives, "Keine relevanten Termine vorhanden");
    }
}

QLineEdit* TDialogPanelAuswaertsKoppelDetail::rowEdit(int row) const {
    return row >= 0 && row < ValueListAlternatives->rowCount()
               ? ValueAt<QLineEdit>(ValueListAlternatives, row)
               : nullptr;
}

void TDialogPanelAuswaertsKoppelDetail::FormToData() {
    std::vector<TAlternativeKickOff> alternatives = FAlternatives;
    for (int row = 0; row < static_cast<int>(alternatives.size()); ++row) {
        const QLineEdit* edit = rowEdit(row);
        alternatives[static_cast<std::size_t>(row)].Alternative =
            edit != nullptr ? ReadAlternativeKickOff(Ss(edit->text())) : std::nullopt;
    }
    SetAlternativeKickOffs(*PlanData, TeamName, alternatives);
}

void TDialogPanelAuswaertsKoppelDetail::SetAllAlternatives() {
    for (int row = 0; row < static_cast<int>(FAlternatives.size()); ++row) {
        if (QLineEdit* edit = rowEdit(row)) {
            edit->setText(Qs(
                FormatTime(ProposedAlternativeKickOff(FAlternatives[static_cast<std::size_t>(row)].Date))));
        }
    }
}

void TDialogPanelAuswaertsKoppelDetail::ClearAllAlternatives() {
    for (int row = 0; row < ValueListAlternatives->rowCount(); ++row) {
        if (QLineEdit* edit = rowEdit(row)) {
            edit->clear();
        }
    }
}

bool TDialogPanelAuswaertsKoppelDetail::EditWish(int index, const TRoadCouple& couple) {
    TDialogEditOneAuswaertsKoppel dialog(*PlanData, TeamName, index, this);
    dialog.SetValues(couple);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const TRoadCouple entered = dialog.GetValues();
    StoreRoadCouple(*PlanData, TeamName, index, entered);
    FillWishes(FindRoadCouple(*PlanData, TeamName, entered));
    DoChange();
    return true;
}

void TDialogPanelAuswaertsKoppelDetail::ButtonNewClick() {
    EditWish(-1, TRoadCouple{});
}

void TDialogPanelAuswaertsKoppelDetail::ButtonEditClick() {
    const int row = ListBoxKoppel->currentRow();
    const std::vector<TRoadCouple> couples = GetRoadCouples(*PlanData, TeamName);
    if (row >= 0 && row < static_cast<int>(couples.size())) {
        EditWish(row, couples[static_cast<std::size_t>(row)]);
    }
}

void TDialogPanelAuswaertsKoppelDetail::ButtonDeleteClick() {
    const int row = ListBoxKoppel->currentRow();
    const std::vector<TRoadCouple> couples = GetRoadCouples(*PlanData, TeamName);
    if (row < 0 || row >= static_cast<int>(couples.size()) ||
        !AskEntryYesNo(this, "Möchten Sie den Auswärtskoppelwunsch " +
                                 Qs(RoadCoupleText(couples[static_cast<std::size_t>(row)])) +
                                 " wirklich löschen?")) {
        return;
    }
    RemoveRoadCouple(*PlanData, TeamName, row);
    FillWishes(std::min(row, ListBoxKoppel->count() - 2));
    DoChange();
}

void TDialogPanelAuswaertsKoppelDetail::toDefault() {
    if (PlanDataDefault == nullptr) {
        return;
    }
    CopyDefaultRoadCouples(*PlanData, TeamName, *PlanDataDefault);
    {
        const TFillGuard guard(*this);
        FillWishes(0);
        ClearAllAlternatives();
    }
    DoChange();
}

bool TDialogPanelAuswaertsKoppelDetail::isDefault() {
    if (PlanDataDefault == nullptr) {
        return true;
    }
    for (int row = 0; row < ValueListAlternatives->rowCount(); ++row) {
        if (const QLineEdit* edit = rowEdit(row); edit != nullptr && !edit->text().isEmpty()) {
            return false;
        }
    }
    return RoadCouplesAreDefault(*PlanData, TeamName, *PlanDataDefault);
}

TDialogPanelAuswaertskoppel::TDialogPanelAuswaertskoppel(QWidget* parent) : TDialogPanelMultiTeams(parent) {
    setWindowTitle(getCaption());
}

std::unique_ptr<TDialogTeamPanel> TDialogPanelAuswaertskoppel::getDialogClass() const {
    return std::make_unique<TDialogPanelAuswaertsKoppelDetail>();
}

QString TDialogPanelAuswaertskoppel::getCaption() const {
    return "Auswärtskoppeltermine";
}

} // namespace terminor
