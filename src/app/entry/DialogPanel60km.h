#pragma once
// TDialogPanel60km, "60km Regel": per team (TDialogPanel60kmDetail) a check list of the other
// teams it may meet only at the weekend because of the long journey (`noweekgames`). Written in
// FormToData. User-interface thread only.

#include <string>
#include <vector>

#include "app/entry/DialogPanelMultiTeams.h"

class QListWidget;

namespace terminor {

class TDialogPanel60kmDetail : public TDialogTeamPanel {
    Q_OBJECT
public:
    explicit TDialogPanel60kmDetail(QWidget* parent = nullptr);

    void DataToForm() override;
    void FormToData() override;
    /// Checks the names the default lists for the team.
    void toDefault() override;
    /// The checked names are those the default lists for the team.
    bool isDefault() override;

    /// The checked team names, in list order.
    std::vector<std::string> checkedTeams() const;

    QListWidget* CheckListBoxTeams = nullptr;

private:
    void CheckTeams(const std::vector<std::string>& names);
    std::vector<std::string> DefaultTeams() const;
};

class TDialogPanel60km : public TDialogPanelMultiTeams {
    Q_OBJECT
public:
    explicit TDialogPanel60km(QWidget* parent = nullptr);

    std::unique_ptr<TDialogTeamPanel> getDialogClass() const override;
    QString getCaption() const override;
    QString getHeaderText() const override;
};

} // namespace terminor
