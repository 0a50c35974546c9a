// The "Manuell festgelegte Begegnungen" page and its dialog "Begegnung".

#include "app/entry/DialogPanelPredefinedGames.h"

#include <string>
#include <vector>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "app/entry/EntryDialogParts.h"
#include "app/entry/GamesGrid.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"

namespace terminor {

namespace {

/// Selects `name` in a team combo; a name that is no team of the plan (any more) is offered too.
void SelectTeam(QComboBox* combo, const std::string& name) {
    if (!name.empty() && combo->findText(Qs(name)) < 0) {
        combo->addItem(Qs(name));
    }
    SelectComboText(combo, Qs(name));
}

} // namespace

TDialogEditOneGame::TDialogEditOneGame(const TPlanData& planData, int index, QWidget* parent)
    : QDialog(parent), FPlanData(planData), FIndex(index) {
    QFormLayout* form = NewDialogForm(this, "Begegnung");
    DateTimePickerDate = NewDatePicker(this, "DateTimePickerDate");
    form->addRow("Datum:", DateTimePickerDate);
    DateTimePickerTime = new QTimeEdit(this);
    DateTimePickerTime->setObjectName("DateTimePickerTime");
    DateTimePickerTime->setDisplayFormat("HH:mm");
    form->addRow("Uhrzeit:", DateTimePickerTime);
    std::vector<std::string> teams;
    planData.getTeamNames(teams);
    ComboBoxHome = new QComboBox(this);
    ComboBoxHome->setObjectName("ComboBoxHome");
    ComboBoxGuest = new QComboBox(this);
    ComboBoxGuest->setObjectName("ComboBoxGuest");
    for (QComboBox* combo : {ComboBoxHome, ComboBoxGuest}) {
        for (const std::string& team : teams) {
            combo->addItem(Qs(team));
        }
        combo->setCurrentIndex(-1);
        combo->setMinimumWidth(280);
    }
    form->addRow("Heimmannschaft:", ComboBoxHome);
    form->addRow("Gastmannschaft:", ComboBoxGuest);
    ComboBoxLocation = NewLocationCombo(this, "ComboBoxLocation");
    form->addRow("Spiellokal:", ComboBoxLocation);
    AddOkCancelRow(this, ButtonOK, ButtonCancel);
    connect(ButtonOK, &QPushButton::clicked, this,
            [this] { GuardedEntry(this, [this] { ButtonOKClick(); }); });
}

void TDialogEditOneGame::SetValues(const TPredefinedGame& game) {
    DateTimePickerDate->setDate(ToQDate(game.DateTime));
    const TimeParts time = DecodeTime(game.DateTime);
    DateTimePickerTime->setTime(QTime(time.hour, time.minute));
    SelectTeam(ComboBoxHome, game.Home);
    SelectTeam(ComboBoxGuest, game.Guest);
    SelectComboText(ComboBoxLocation, Qs(TPlanData::FixLocation(game.Location)));
}

TPredefinedGame TDialogEditOneGame::GetValues() const {
    TPredefinedGame game;
    const QTime time = DateTimePickerTime->time();
    game.DateTime = FromQDate(DateTimePickerDate->date()) + EncodeTime(time.hour(), time.minute());
    game.Home = Ss(GetComboText(ComboBoxHome));
    game.Guest = Ss(GetComboText(ComboBoxGuest));
    game.Location = Ss(GetComboText(ComboBoxLocation));
    return game;
}

void TDialogEditOneGame::ButtonOKClick() {
    const TPredefinedGame game = GetValues();
    QString message;
    if (game.Home.empty()) {
        message = "Keine Heimmanschaft angegeben";
    } else if (game.Guest.empty()) {
        message = "Keine Gastmanschaft angegeben";
    } else if (game.Home == game.Guest) {
        message = "Die Mannschaft kann nicht gegen sich selbst spielen";
    } else if (const int existing = FindPredefinedGame(FPlanData, game.Home, game.Guest, game.DateTime);
               existing >= 0 && existing != FIndex) {
        message = PredefinedGameExistsMessage;
    }
    if (!message.isEmpty()) {
        ShowEntryMessage(this, message);
        return;
    }
    accept();
}

TDialogPanelPredefinedGames::TDialogPanelPredefinedGames(QWidget* parent) : TDialogPanel(parent) {
    setWindowTitle("Manuell festgelegte Begegnungen");
    auto* layout = new QHBoxLayout(PanelMain);
    GridGames = NewGamesGrid(PanelMain, {100, 80, 200, 200, 200});
    layout->addWidget(GridGames, 1);
    const TListButtons buttons = AddListButtons(layout, PanelMain, "Neue Begenung...",
                                                "Begegnung bearbeiten...", "Begegnung Löschen...");
    ButtonNew = buttons.New;
    ButtonEdit = buttons.Edit;
    ButtonDelete = buttons.Delete;
    ConnectListButtons(
        this, buttons, [this] { ButtonNewClick(); }, [this] { ButtonEditClick(); },
        [this] { ButtonDeleteClick(); });
    connect(GridGames, &QTableWidget::cellDoubleClicked, this,
            [this] { GuardedEntry(this, [this] { ButtonEditClick(); }); });
    connect(GridGames, &QTableWidget::currentCellChanged, this, &TDialogPanelPredefinedGames::UpdateButtons);
    UpdateButtons();
}

void TDialogPanelPredefinedGames::FillGrid(int selectRow) {
    const TFillGuard guard(*this);
    FillGamesGrid(GridGames, GetPredefinedGames(*PlanData), selectRow);
    UpdateButtons();
}

void TDialogPanelPredefinedGames::UpdateButtons() {
    const bool selected = GridGames->currentRow() >= 0;
    ButtonEdit->setEnabled(selected);
    ButtonDelete->setEnabled(selected);
}

void TDialogPanelPredefinedGames::DataToForm() {
    FillGrid(0);
}

bool TDialogPanelPredefinedGames::EditGame(int index, TPredefinedGame game) {
    TDialogEditOneGame dialog(*PlanData, index, this);
    dialog.SetValues(game);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    game = dialog.GetValues();
    try {
        StorePredefinedGame(*PlanData, index, game);
    } catch (const TerminorError& e) {
        ShowEntryMessage(this, Qs(e.what()));
        return false;
    }
    FillGrid(FindPredefinedGame(*PlanData, game.Home, game.Guest, game.DateTime));
    DoChange();
    return true;
}

void TDialogPanelPredefinedGames::ButtonNewClick() {
    TPredefinedGame game;
    game.DateTime = PlanData->root().GetAsDate("from");
    if (game.DateTime == 0.0) {
        game.DateTime = FromQDate(QDate::currentDate());
    }
    EditGame(-1, game);
}

void TDialogPanelPredefinedGames::ButtonEditClick() {
    const int row = GridGames->currentRow();
    const std::vector<TPredefinedGame> games = GetPredefinedGames(*PlanData);
    if (row >= 0 && row < static_cast<int>(games.size())) {
        EditGame(row, games[static_cast<std::size_t>(row)]);
    }
}

void TDialogPanelPredefinedGames::ButtonDeleteClick() {
    const int row = GridGames->currentRow();
    if (row < 0 || !AskEntryYesNo(this, "Möchten Sie das Spiel wirklich löschen?")) {
        return;
    }
    RemovePredefinedGame(*PlanData, row);
    FillGrid(std::min(row, GridGames->rowCount() - 2));
    DoChange();
}

void TDialogPanelPredefinedGames::toDefault() {
    if (PlanDataDefault != nullptr) {
        CopyPredefinedGames(*PlanData, PlanDataDefault);
        FillGrid(0);
        DoChange();
    }
}

bool TDialogPanelPredefinedGames::isDefault() {
    return PlanDataDefault == nullptr || PredefinedGamesAreTheSame(*PlanData, PlanDataDefault);
}

} // namespace terminor
