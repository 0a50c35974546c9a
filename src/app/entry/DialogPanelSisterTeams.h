#pragma once
// TDialogPanelSisterTeams, "Spiele der Nachbarmannschaften": per team
// (TDialogPanelSisterTeamsDetail) the other teams of its club in other divisions, whose games
// constrain its dates, edited in the dialog "Nachbarmannschaft". Every edit changes the plan data
// at once. User-interface thread only.

#include "app/entry/DialogPanelMultiTeams.h"

class QListWidget;
class QPushButton;

namespace terminor {

class TDialogPanelSisterTeamsDetail : public TDialogTeamPanel {
    Q_OBJECT
public:
    explicit TDialogPanelSisterTeamsDetail(QWidget* parent = nullptr);

    void DataToForm() override;
    /// Replaces the sister teams by copies of the default's.
    void toDefault() override;
    /// The sister teams are the default's.
    bool isDefault() override;

    void ButtonNewClick();
    void ButtonEditClick();
    void ButtonDeleteClick();

    QListWidget* ListBoxSisterTeams = nullptr;
    QPushButton* ButtonNew = nullptr;
    QPushButton* ButtonEdit = nullptr;
    QPushButton* ButtonDelete = nullptr;

private:
    void FillList(int selectRow);
    void UpdateButtons();
};

class TDialogPanelSisterTeams : public TDialogPanelMultiTeams {
    Q_OBJECT
public:
    explicit TDialogPanelSisterTeams(QWidget* parent = nullptr);

    std::unique_ptr<TDialogTeamPanel> getDialogClass() const override;
    QString getCaption() const override;
};

} // namespace terminor
