#pragma once
// TDialogPanelHomeRight, "Heimrecht": per team (TDialogPanelHomeRightDetail) the wanted number of
// first-half home games and, per opponent, the half in which the team plays at home. Every change
// is written at once. User-interface thread only.

#include "app/entry/DialogPanelMultiTeams.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace terminor {

class TDialogPanelHomeRightDetail : public TDialogTeamPanel {
    Q_OBJECT
public:
    explicit TDialogPanelHomeRightDetail(QWidget* parent = nullptr);

    void DataToForm() override;
    /// Nothing to do: every change has been written already.
    void FormToData() override {}
    /// "Automatisch" and "egal" everywhere, written at once.
    void toDefault() override;
    /// "Automatisch" is chosen and every row says "egal".
    bool isDefault() override;

    /// The choice combo of that opponent's row, or null.
    QComboBox* rowCombo(const QString& opponent) const;

    QComboBox* ComboBoxHomeGames = nullptr;
    QLabel* LabelHomeRights = nullptr;
    QTableWidget* ValueListHomeRights = nullptr;

private:
    void WriteData();
    void UserChanged();

    /// The stored number of first-half home games, kept when the combo cannot show it.
    int StoredHomeGames = -1;
};

class TDialogPanelHomeRight : public TDialogPanelMultiTeams {
    Q_OBJECT
public:
    explicit TDialogPanelHomeRight(QWidget* parent = nullptr);

    std::unique_ptr<TDialogTeamPanel> getDialogClass() const override;
    QString getCaption() const override;
};

} // namespace terminor
