#pragma once
// TDialogForSinglePanel: a modal host for one data-entry page on a private copy of the plan data.
// The caller takes the copy over (getPlanData) only after OK; OK writes without checking.
// User-interface thread only.

#include <memory>

#include <QDialog>

#include "app/entry/DialogPanel.h"

class QPushButton;

namespace terminor {

class TDialogForSinglePanel : public QDialog {
    Q_OBJECT
public:
    explicit TDialogForSinglePanel(QWidget* parent = nullptr);
    ~TDialogForSinglePanel() override;

    /// Copies `sourcePlan`, opens the page of `panelClass` on the copy; `planDataDefault` (not
    /// owned, may be null) is what "Standard wiederherstellen" restores.
    void SetValues(const TPlanData& sourcePlan, const TPlanData* planDataDefault,
                   const TDialogPanelClass& panelClass);
    /// The edited copy.
    TPlanData& getPlanData() { return *PlanData; }

    void ButtonOKClick();
    void ButtonToStandardClick();
    /// Enables "Standard wiederherstellen" exactly when the page differs from the default.
    void UpdateDefaultButton();

    QWidget* PanelMain = nullptr;
    QWidget* PanelBottom = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* ButtonToStandard = nullptr;
    std::unique_ptr<TDialogPanel> DialogPanel;

private:
    std::unique_ptr<TPlanData> PlanData;
};

} // namespace terminor
