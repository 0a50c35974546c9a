#pragma once
// TDialogPanelFreeDays, "Spielfreie Tage": a check list of every day on which some team offers a
// home date; the checked days are the division's game-free days. Written in FormToData, which
// drops game-free days that are nobody's home date. User-interface thread only.

#include <vector>

#include "app/entry/DialogPanel.h"
#include "data/DateTime.h"

class QLabel;
class QListWidget;

namespace terminor {

class TDialogPanelFreeDays : public TDialogPanel {
    Q_OBJECT
public:
    explicit TDialogPanelFreeDays(QWidget* parent = nullptr);

    void DataToForm() override;
    void FormToData() override;
    /// Checks the default's game-free days.
    void toDefault() override;
    /// The checked days are the default's game-free days among the listed ones.
    bool isDefault() override;

    /// The checked days, ascending.
    std::vector<TDateTime> checkedDays() const;

    QLabel* LabelText = nullptr;
    QListWidget* CheckListBoxDays = nullptr;

private:
    void CheckDays(const std::vector<TDateTime>& freeDays);
    std::vector<TDateTime> DefaultDays() const;
};

} // namespace terminor
