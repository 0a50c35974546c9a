#pragma once
// TFormOptions: the modeless "Einstellungen" dialog over the calculation options of the loaded
// plan. It has no Cancel: every accepted change is written into the plan's options at once and
// announced through OnAfterSave, which saves the options file and hands them to the running
// generation. The main window keeps one for its whole life. User-interface thread only.

#include <functional>

#include <QDialog>

#include "model/CalculateOptions.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace terminor {

class TFormPanelOptionArray;
class TPlan;

class TFormOptions : public QDialog {
    Q_OBJECT
public:
    /// Raised after each change was written into the plan's options.
    using TOnSaveEvent = std::function<void(bool saveOnlyOptions)>;

    explicit TFormOptions(QWidget* parent = nullptr);
    ~TFormOptions() override;

    /// Remembers the plan (not owned) and fills every control from its options, raising nothing.
    void SetValues(TPlan& plan);
    TPlan* Plan() const { return FPlan; }

    // The handlers, as the controls trigger them.
    void ControlChanged();
    void ComboBoxPlanRoundsChange();
    /// A checked box replaces both dates by the automatic ones; then as ControlChanged.
    void CheckBoxDateAutomaticClick();
    void ButtonGewichtungMannschaftenClick();
    /// Resets the current page to the defaults and applies.
    void ButtonToStandardClick();
    void ButtonOKClick();
    /// The enabled states, and the team weight rows shown for the plan's data.
    void UpdateEnabledStates();

    TOnSaveEvent OnAfterSave;
    /// The controls are being filled: their changes are ignored.
    bool InLoad = false;

    QTabWidget* PageControl = nullptr;
    QWidget* TabSheetGewichtung = nullptr;
    QWidget* TabSheetDoppelrunde = nullptr;
    QCheckBox* CheckBoxFreitagIs60km = nullptr;
    QGroupBox* GroupBoxPlan = nullptr;
    QWidget* PanelPlanGewichtung = nullptr;
    TFormPanelOptionArray* PanelPlanOptions = nullptr;
    QGroupBox* GroupBoxMannschaften = nullptr;
    QWidget* PanelMannschaftenGewichtung = nullptr;
    TFormPanelOptionArray* PanelMannschaftOptions = nullptr;
    QPushButton* ButtonGewichtungMannschaften = nullptr;
    QComboBox* ComboBoxPlanRounds = nullptr;
    QCheckBox* CheckBoxDoubleRound = nullptr;
    QCheckBox* CheckBoxDateAutomatic = nullptr;
    QLabel* LabelFirstRoundDate = nullptr;
    QDateTimeEdit* DateTimeMid1 = nullptr;
    QLabel* LabelThirdRoundDate = nullptr;
    QDateTimeEdit* DateTimeMid2 = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonToStandard = nullptr;
    QTimer* Timer1 = nullptr;

private:
    void CreateWeightsPage();
    void CreateRoundsPage();
    /// The plan's options with every control written into them.
    TCalculateOptions ControlOptions(const TCalculateOptions& base) const;
    /// Writes the controls over `base` into the plan, refreshes and raises OnAfterSave.
    void Apply(const TCalculateOptions& base);
    /// Runs a handler; an error is shown in a message box.
    void Guarded(const std::function<void()>& handler);

    TPlan* FPlan = nullptr;
};

} // namespace terminor
