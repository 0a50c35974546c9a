// The dialogs "Nachbarmannschaft" and its "Begegnung".

#include "app/entry/DialogEditSisterTeam.h"

#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "app/entry/DialogPanel.h"
#include "app/entry/EntryDialogParts.h"
#include "app/entry/GamesGrid.h"
#include "data/DataObject.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"
#include "data/PlanUtils.h"

namespace terminor {

namespace {

constexpr int KindHome = 0;
constexpr int KindAway = 1;

} // namespace

TDialogEditOneSisterGame::TDialogEditOneSisterGame(const TDataObject& sister, int index, QWidget* parent)
    : QDialog(parent), FSister(sister), FIndex(index) {
    QFormLayout* form = NewDialogForm(this, "Begegnung");
    DateTimePickerDate = NewDatePicker(this, "DateTimePickerDate");
    form->addRow("Datum:", DateTimePickerDate);
    DateTimePickerTime = new QTimeEdit(this);
    DateTimePickerTime->setObjectName("DateTimePickerTime");
    DateTimePickerTime->setDisplayFormat("HH:mm");
    form->addRow("Uhrzeit:", DateTimePickerTime);
    ComboBoxKind = new QComboBox(this);
    ComboBoxKind->setObjectName("ComboBoxKind");
    ComboBoxKind->addItems({"Heimspiel", "Auswärtsspiel"});
    form->addRow("Art:", ComboBoxKind);
    // The opponents play in another division: any name may be typed; those of the team's other
    // games are offered.
    ComboBoxOpponent = new QComboBox(this);
    ComboBoxOpponent->setObjectName("ComboBoxOpponent");
    ComboBoxOpponent->setEditable(true);
    ComboBoxOpponent->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxOpponent->setMinimumWidth(280);
    const std::string& own = sister.GetAsString("teamname");
    QStringList opponents;
    for (const TSisterGameEntry& game : GetSisterGames(sister)) {
        for (const std::string& name : {game.Home, game.Guest}) {
            if (name != own && !name.empty() && !opponents.contains(Qs(name))) {
                opponents << Qs(name);
            }
        }
    }
    opponents.sort();
    ComboBoxOpponent->addItems(opponents);
    ComboBoxOpponent->setCurrentIndex(-1);
    form->addRow("Gegner:", ComboBoxOpponent);
    ComboBoxLocation = NewLocationCombo(this, "ComboBoxLocation");
    form->addRow("Spiellokal:", ComboBoxLocation);
    AddOkCancelRow(this, ButtonOK, ButtonCancel);
    connect(ButtonOK, &QPushButton::clicked, this,
            [this] { GuardedEntry(this, [this] { ButtonOKClick(); }); });
}

void TDialogEditOneSisterGame::SetValues(const TSisterGameEntry& game) {
    DateTimePickerDate->setDate(ToQDate(game.DateTime));
    const TimeParts time = DecodeTime(game.DateTime);
    DateTimePickerTime->setTime(QTime(time.hour, time.minute));
    const std::string& own = FSister.GetAsString("teamname");
    const bool away = !game.Guest.empty() && game.Guest == own && game.Home != own;
    ComboBoxKind->setCurrentIndex(away ? KindAway : KindHome);
    ComboBoxOpponent->setCurrentText(Qs(away ? game.Home : game.Guest));
    SelectComboText(ComboBoxLocation, Qs(TPlanData::FixLocation(game.Location)));
}

TSisterGameEntry TDialogEditOneSisterGame::GetValues() const {
    TSisterGameEntry game;
    const QTime time = DateTimePickerTime->time();
    game.DateTime = FromQDate(DateTimePickerDate->date()) + EncodeTime(time.hour(), time.minute());
    const std::string own = FSister.GetAsString("teamname");
    const std::string opponent = TrimBlanks(Ss(ComboBoxOpponent->currentText()));
    const bool home = ComboBoxKind->currentIndex() != KindAway;
    game.Home = home ? own : opponent;
    game.Guest = home ? opponent : own;
    game.Location = Ss(GetComboText(ComboBoxLocation));
    return game;
}

void TDialogEditOneSisterGame::ButtonOKClick() {
    if (TrimBlanks(Ss(ComboBoxOpponent->currentText())).empty()) {
        ShowEntryMessage(this, "Kein Gegner angegeben");
        return;
    }
    // Games of a sister team are keyed by date and time: a second game then would break the file.
    const std::string key = DateTimeToStorage(GetValues().DateTime);
    const std::vector<TSisterGameEntry> games = GetSisterGames(FSister);
    for (int i = 0; i < static_cast<int>(games.size()); ++i) {
        if (i != FIndex && DateTimeToStorage(games[static_cast<std::size_t>(i)].DateTime) == key) {
            ShowEntryMessage(this, SisterGameExistsMessage);
            return;
        }
    }
    accept();
}

TDialogEditSisterTeam::TDialogEditSisterTeam(const TPlanData& planData, const std::string& teamName,
                                             int index, QWidget* parent)
    : QDialog(parent), FPlanData(planData), FTeamName(teamName), FIndex(index),
      FSister(CopySisterTeam(nullptr)) {
    QFormLayout* form = NewDialogForm(this, "Nachbarmannschaft");
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    EditName = new QLineEdit(this);
    EditName->setObjectName("EditName");
    EditName->setMinimumWidth(300);
    form->addRow("Mannschaftsname", EditName);
    SpinEditNumber = new QSpinBox(this);
    SpinEditNumber->setObjectName("SpinEditNumber");
    SpinEditNumber->setRange(0, 99);
    form->addRow("Mannschaftsnummer", WithNote(SpinEditNumber, "1., 2., 3. Mannschaft"));
    ComboBoxGender = new QComboBox(this);
    ComboBoxGender->setObjectName("ComboBoxGender");
    ComboBoxGender->setEditable(true);
    ComboBoxGender->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& ageClass : AgeClasses()) {
        ComboBoxGender->addItem(Qs(ageClass));
    }
    form->addRow("Art (Herren/Damen)", ComboBoxGender);
    ComboBoxLocation = NewLocationCombo(this, "ComboBoxLocation");
    ComboBoxLocation->setMinimumWidth(60);
    form->addRow("Spiellokal:",
                 WithNote(ComboBoxLocation, "leer, falls Verein nur in einem Spiellokal spielt"));
    CheckBoxNoParallelGames =
        new QCheckBox("Gleichzeitige (parallele) Spiele  mit dieser Mannschaft vermeiden", this);
    CheckBoxNoParallelGames->setObjectName("CheckBoxNoParallelGames");
    form->addRow(CheckBoxNoParallelGames);
    CheckBoxParallelHomeGames =
        new QCheckBox("Gleichzeitige (parallele) Heimspiele mit dieser Mannschaft sind erwünscht", this);
    CheckBoxParallelHomeGames->setObjectName("CheckBoxParallelHomeGames");
    form->addRow(CheckBoxParallelHomeGames);

    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    auto* label = new QLabel("Begegnungen", this);
    label->setObjectName("LabelGames");
    layout->addWidget(label);
    auto* row = new QHBoxLayout();
    GridGames = NewGamesGrid(this, {100, 60, 200, 200, 80});
    GridGames->setMinimumSize(680, 320);
    row->addWidget(GridGames, 1);
    const TListButtons buttons =
        AddListButtons(row, this, "Neue Begegnung...", "Begegnung bearbeiten...", "Begegnung Löschen...");
    ButtonNew = buttons.New;
    ButtonEdit = buttons.Edit;
    ButtonDelete = buttons.Delete;
    layout->addLayout(row, 1);
    ConnectListButtons(
        this, buttons, [this] { ButtonNewClick(); }, [this] { ButtonEditClick(); },
        [this] { ButtonDeleteClick(); });
    connect(GridGames, &QTableWidget::cellDoubleClicked, this,
            [this] { GuardedEntry(this, [this] { ButtonEditClick(); }); });
    connect(GridGames, &QTableWidget::currentCellChanged, this, &TDialogEditSisterTeam::UpdateButtons);

    AddOkCancelRow(this, ButtonOK, ButtonCancel);
    connect(ButtonOK, &QPushButton::clicked, this,
            [this] { GuardedEntry(this, [this] { ButtonOKClick(); }); });
    UpdateButtons();
}

TDialogEditSisterTeam::~TDialogEditSisterTeam() = default;

void TDialogEditSisterTeam::SetValues(const TDataObject* sister) {
    FSister = CopySisterTeam(sister);
    EditName->setText(Qs(FSister->GetAsString("teamname")));
    SpinEditNumber->setValue(FSister->GetAsInt("teamnumber"));
    SelectComboText(ComboBoxGender, Qs(FSister->GetAsString("gender")));
    SelectComboText(ComboBoxLocation, Qs(TPlanData::FixLocation(FSister->GetAsString("location"))));
    CheckBoxNoParallelGames->setChecked(FSister->GetAsBool("noparallelgames"));
    CheckBoxParallelHomeGames->setChecked(FSister->GetAsBool("parallelhomegames"));
    FillGames(0);
}

void TDialogEditSisterTeam::FillGames(int selectRow) {
    FillGamesGrid(GridGames, GetSisterGames(*FSister), selectRow);
    UpdateButtons();
}

void TDialogEditSisterTeam::UpdateButtons() {
    const bool selected = GridGames->currentRow() >= 0;
    ButtonEdit->setEnabled(selected);
    ButtonDelete->setEnabled(selected);
}

void TDialogEditSisterTeam::EditGame(int index, const TSisterGameEntry& game) {
    TDialogEditOneSisterGame dialog(*FSister, index, this);
    dialog.SetValues(game);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const TSisterGameEntry entered = dialog.GetValues();
    StoreSisterGame(*FSister, index, entered);
    const std::vector<TSisterGameEntry> games = GetSisterGames(*FSister);
    const auto stored = std::find_if(games.begin(), games.end(), [&entered](const TSisterGameEntry& g) {
        return DateTimeToStorage(g.DateTime) == DateTimeToStorage(entered.DateTime);
    });
    FillGames(static_cast<int>(stored - games.begin()));
}

void TDialogEditSisterTeam::ButtonNewClick() {
    TSisterGameEntry game;
    game.DateTime = FPlanData.root().GetAsDate("from");
    if (game.DateTime == 0.0) {
        game.DateTime = FromQDate(QDate::currentDate());
    }
    game.Home = FSister->GetAsString("teamname");
    EditGame(-1, game);
}

void TDialogEditSisterTeam::ButtonEditClick() {
    const int row = GridGames->currentRow();
    const std::vector<TSisterGameEntry> games = GetSisterGames(*FSister);
    if (row >= 0 && row < static_cast<int>(games.size())) {
        EditGame(row, games[static_cast<std::size_t>(row)]);
    }
}

void TDialogEditSisterTeam::ButtonDeleteClick() {
    const int row = GridGames->currentRow();
    if (row < 0 || !AskEntryYesNo(this, "Möchten Sie das Spiel wirklich löschen?")) {
        return;
    }
    RemoveSisterGame(*FSister, row);
    FillGames(std::min(row, GridGames->rowCount() - 2));
}

void TDialogEditSisterTeam::ButtonOKClick() {
    const std::string name = TrimBlanks(Ss(EditName->text()));
    const std::string gender = TrimBlanks(Ss(ComboBoxGender->currentText()));
    QString message;
    if (name.empty()) {
        message = "Der Name darf nicht leer sein";
    } else if (gender.empty()) {
        message = "Die Art darf nicht leer sein";
    } else if (SisterTeamKeyTaken(FPlanData, FTeamName, FIndex, name, gender)) {
        message = SisterTeamExistsMessage;
    }
    if (!message.isEmpty()) {
        ShowEntryMessage(this, message);
        return;
    }
    const std::string oldName = FSister->GetAsString("teamname");
    FSister->SetAsString("teamname", name);
    FSister->SetAsInt("teamnumber", SpinEditNumber->value());
    FSister->SetAsString("gender", gender);
    FSister->SetAsString("location", Ss(GetComboText(ComboBoxLocation)));
    FSister->SetAsBool("noparallelgames", CheckBoxNoParallelGames->isChecked());
    FSister->SetAsBool("parallelhomegames", CheckBoxParallelHomeGames->isChecked());
    RenameSisterGames(*FSister, oldName, name);
    accept();
}

bool EditSisterTeam(QWidget* parent, TPlanData& planData, const std::string& teamName, int index) {
    const TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return false;
    }
    const IDataObjectList sisters = team->NamedChilds("sisterteam");
    const TDataObject* sister = index >= 0 && index < static_cast<int>(sisters.size())
                                    ? sisters[static_cast<std::size_t>(index)]
                                    : nullptr;
    TDialogEditSisterTeam dialog(planData, teamName, sister != nullptr ? index : -1, parent);
    dialog.SetValues(sister);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    StoreSisterTeam(planData, teamName, sister != nullptr ? index : -1, dialog.sisterTeam());
    return true;
}

} // namespace terminor
