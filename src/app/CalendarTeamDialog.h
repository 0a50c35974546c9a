#pragma once
// TFormCalendarTeam: the first step of "Mannschaftsplan als Kalender exportieren...": one team of
// the plan, or every team with one file each. User-interface thread only.

#include <optional>
#include <string>
#include <vector>

#include <QDialog>

class QComboBox;
class QPushButton;

namespace terminor {

class TFormCalendarTeam : public QDialog {
    Q_OBJECT
public:
    /// The teams in the order shown, after the entry for every team (selected at first).
    TFormCalendarTeam(const std::vector<std::string>& teams, QWidget* parent = nullptr);

    /// The chosen team's name, or the empty text for every team.
    std::string ChosenTeam() const;

    QComboBox* ComboBoxTeam = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;
};

/// Shows the dialog: the chosen team (empty: every team), or nothing when cancelled.
std::optional<std::string> ChooseCalendarTeam(QWidget* parent, const std::vector<std::string>& teams);

} // namespace terminor
