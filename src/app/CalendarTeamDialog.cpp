#include "app/CalendarTeamDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

#include "app/entry/EntryDialogParts.h"

namespace terminor {

TFormCalendarTeam::TFormCalendarTeam(const std::vector<std::string>& teams, QWidget* parent)
    : QDialog(parent) {
    setObjectName("FormCalendarTeam");
    QFormLayout* form = NewDialogForm(this, "Mannschaftsplan als Kalender exportieren");
    ComboBoxTeam = new QComboBox(this);
    ComboBoxTeam->setObjectName("ComboBoxTeam");
    ComboBoxTeam->addItem("Alle Mannschaften (eine Datei je Mannschaft)", QString());
    for (const std::string& team : teams) {
        ComboBoxTeam->addItem(QString::fromStdString(team), QString::fromStdString(team));
    }
    form->addRow("Mannschaft:", ComboBoxTeam);
    AddOkCancelRow(this, ButtonOK, ButtonCancel);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(440);
    ComboBoxTeam->setFocus();
}

std::string TFormCalendarTeam::ChosenTeam() const {
    return ComboBoxTeam->currentData().toString().toStdString();
}

std::optional<std::string> ChooseCalendarTeam(QWidget* parent, const std::vector<std::string>& teams) {
    TFormCalendarTeam dialog(teams, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.ChosenTeam();
}

} // namespace terminor
