#pragma once
// TDialogPanelLocationsCompact, "Spiellokale (Kompaktansicht)": per team
// (TDialogPanelLocationsCompactDetail) its default hall, the hall of each of its home dates and
// the hall of each sister team; a double click on a sister team opens "Nachbarmannschaft".
// Written in FormToData. User-interface thread only.

#include <string>
#include <vector>

#include "app/entry/DialogPanelMultiTeams.h"
#include "data/HomeDay.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace terminor {

class TDialogPanelLocationsCompactDetail : public TDialogTeamPanel {
    Q_OBJECT
public:
    explicit TDialogPanelLocationsCompactDetail(QWidget* parent = nullptr);

    void DataToForm() override;
    void FormToData() override;
    /// Empties every hall, writes and reloads.
    void toDefault() override;
    /// No hall is chosen anywhere.
    bool isDefault() override;

    /// Writes the page, opens "Nachbarmannschaft" for the sister team of that row and reloads.
    void EditSisterTeamOfRow(int row);

    QComboBox* ComboBoxLocation = nullptr;
    QLabel* LabelHomeDays = nullptr;
    QTableWidget* ValueListHomeDays = nullptr;
    QLabel* LabelSisterTeams = nullptr;
    QTableWidget* ValueListSisterTeams = nullptr;

private:
    /// The team's records as read; the home-date rows stand for its home days in order.
    THomeDayList FHomeDays;
    /// The position among the team's sister teams of each sister row (rows are sorted by key).
    std::vector<int> FSisterIndex;
};

class TDialogPanelLocationsCompact : public TDialogPanelMultiTeams {
    Q_OBJECT
public:
    explicit TDialogPanelLocationsCompact(QWidget* parent = nullptr);

    std::unique_ptr<TDialogTeamPanel> getDialogClass() const override;
    QString getCaption() const override;
};

} // namespace terminor
