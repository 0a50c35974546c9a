#pragma once
// TDialogPanelHomeCoupleCompact, "Heimkoppel/Doppelspieltage (Kompakt)": per team
// (TDialogPanelHomeCoupleCompactDetail) one row per pair of home dates on consecutive days and per
// lone coupling day, each with a choice of coupling or double date. Written in FormToData; new
// coupling dates and second kick-offs are entered in "Wunschtermine". User-interface thread only.

#include <vector>

#include "app/entry/DialogPanelMultiTeams.h"
#include "data/HomeCouple.h"

class QComboBox;
class QTableWidget;

namespace terminor {

class TDialogPanelHomeCoupleCompactDetail : public TDialogTeamPanel {
    Q_OBJECT
public:
    explicit TDialogPanelHomeCoupleCompactDetail(QWidget* parent = nullptr);

    void DataToForm() override;
    /// Clears every home date's coupling and double date, applies each row's choice and writes.
    void FormToData() override;
    /// Gives the home dates the options of the default's rows, writes and reloads.
    void toDefault() override;
    /// After writing, the rows carry the dates and options of the default's rows, in order.
    bool isDefault() override;

    /// The choice combo of a row, or null (the note row).
    QComboBox* rowCombo(int row) const;

    QTableWidget* ValueListKoppel = nullptr;

private:
    /// The team's records as read; writing starts from them, so a second kick-off survives a
    /// coupling switched off and on again.
    THomeDayList FHomeDays;
    std::vector<TKoppelWunschElem> FRows;
};

class TDialogPanelHomeCoupleCompact : public TDialogPanelMultiTeams {
    Q_OBJECT
public:
    explicit TDialogPanelHomeCoupleCompact(QWidget* parent = nullptr);

    std::unique_ptr<TDialogTeamPanel> getDialogClass() const override;
    QString getCaption() const override;
    QString getHeaderText() const override;
};

} // namespace terminor
