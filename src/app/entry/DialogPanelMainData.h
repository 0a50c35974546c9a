#pragma once
// TDialogPanelMainData, "Ligadaten": the division's name, number, age class and season dates
// (`plan`: name, id, gender, from, mid, until). User-interface thread only.

#include "app/entry/DialogPanel.h"

class QComboBox;
class QDateTimeEdit;
class QLineEdit;

namespace terminor {

class TDataObject;

class TDialogPanelMainData : public TDialogPanel {
    Q_OBJECT
public:
    explicit TDialogPanelMainData(QWidget* parent = nullptr);

    void DataToForm() override;
    void FormToData() override;
    void toDefault() override;
    bool isDefault() override;
    /// Name, number and age class must be given; the season dates must be in order.
    bool CheckData() override;

    QLineEdit* EditName = nullptr;
    QLineEdit* EditId = nullptr;
    QComboBox* ComboBoxGender = nullptr;
    QDateTimeEdit* DateTimePickerFrom = nullptr;
    QDateTimeEdit* DateTimePickerMid = nullptr;
    QDateTimeEdit* DateTimePickerUntil = nullptr;

private:
    /// Shows the values of `plan` (a `plan` element); a plan without season start shows the dates
    /// of a season beginning this year.
    void ShowValues(const TDataObject& plan);
};

} // namespace terminor
