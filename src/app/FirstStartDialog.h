#pragma once
// TDialogFirstStart "Erster Start...": after a click-TT export was opened for the first time, it
// walks the division manager through the corrections the export needs (halls, couplings, away
// couplings, seeding list, mandatory days), offering only the steps that apply to the plan. OK
// opens the step's page on a copy of the plan data; a confirmed page is handed to the caller, who
// saves it and rebuilds the plan. User-interface thread only.

#include <array>
#include <functional>

#include <QDialog>

#include "app/FirstStartSteps.h"
#include "app/entry/DialogPanel.h"

class QLabel;
class QPushButton;

namespace terminor {

class TPlan;

/// The page each step opens, indexed by TMessages.
using TFirstStartPages = std::array<TDialogPanelClass, tmMandatoryDays + 1>;
/// The data-entry pages of the steps: compact locations, compact home couplings, away couplings,
/// seeding list and mandatory days.
TFirstStartPages FirstStartPages();

class TDialogFirstStart : public QDialog {
    Q_OBJECT
public:
    explicit TDialogFirstStart(QWidget* parent = nullptr, TFirstStartPages pages = FirstStartPages());

    /// The caller's plan data, the import as read (may be null) and the loaded plan; none is owned
    /// and all must outlive the dialog. The plan decides which steps apply; it is asked again at
    /// each step, since confirmed pages rebuild it.
    void SetValue(const TPlanData& planData, const TPlanData* planDataDefault, const TPlan& planLoaded);
    /// Takes over a confirmed page's plan data: saves them as modifications and rebuilds the plan.
    /// Answers false when that failed (and has said why); the dialog then stays on its step.
    std::function<bool(const TPlanData& edited)> OnApplyChangedSettings;

    TMessages currMessage() const { return CurrMessage; }

    /// Opens the step's page; a confirmed page is taken over and the next step follows.
    void ButtonOKClick();
    /// "Überspringen": the next step, or the end after the last.
    void ButtonCancelClick();

    QLabel* LabelHeader = nullptr;
    QLabel* LabelMessage = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

protected:
    /// Escape skips the step, as "Überspringen" does; closing the window ends the first start.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowMessage();
    void NextMessage();

    TFirstStartPages Pages;
    TMessages CurrMessage = tmLocations;
    const TPlanData* PlanData = nullptr;
    const TPlanData* PlanDataDefault = nullptr;
    const TPlan* PlanLoaded = nullptr;
};

} // namespace terminor
