#pragma once
// TFormPrintSelect ("Druckauswahl"): asks which sections of the plan view to print, in which page
// orientation and font size; the font size chosen with OK is remembered in the user's settings.
// User-interface thread only.

#include <array>

#include <QDialog>

#include "view/PlanPrint.h"

class QCheckBox;
class QComboBox;

namespace terminor {

class TFormPrintSelect : public QDialog {
    Q_OBJECT
public:
    /// Every section checked, "Hochformat" selected, the font size last chosen ("normal" at first).
    explicit TFormPrintSelect(QWidget* parent = nullptr);

    /// The sections checked, the orientation and the font size chosen.
    TPrintSelection Selection() const;

    void accept() override;

private:
    std::array<QCheckBox*, PrintSectionCount> FCheckBoxes{};
    QComboBox* ComboBoxFormat = nullptr;
    QComboBox* ComboBoxSchriftgroesse = nullptr;
};

} // namespace terminor
