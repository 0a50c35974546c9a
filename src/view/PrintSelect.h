#pragma once
// TFormPrintSelect ("Druckauswahl"): asks which sections of the plan view to print and in which
// page orientation. User-interface thread only.

#include <array>

#include <QDialog>

#include "view/PlanPrint.h"

class QCheckBox;
class QComboBox;

namespace terminor {

class TFormPrintSelect : public QDialog {
    Q_OBJECT
public:
    /// Every section checked, "Hochformat" selected.
    explicit TFormPrintSelect(QWidget* parent = nullptr);

    /// The sections checked and the orientation chosen.
    TPrintSelection Selection() const;

private:
    std::array<QCheckBox*, PrintSectionCount> FCheckBoxes{};
    QComboBox* ComboBoxFormat = nullptr;
};

} // namespace terminor
