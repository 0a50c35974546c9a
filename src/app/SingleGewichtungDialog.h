#pragma once
// TDialogForSingleGewichtungsOptions: the modal weighting dialog around one column of weight
// selectors, with a title, an optional "Meldungen:" area and "Standard wiederherstellen". The plan
// view's cost hit areas open it in its small form with one row; the team weighting with one row
// per team or cost type. User-interface thread only.

#include <span>
#include <string>
#include <vector>

#include <QDialog>

#include "app/PanelOptionArray.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace terminor {

class TDialogForSingleGewichtungsOptions : public QDialog {
    Q_OBJECT
public:
    explicit TDialogForSingleGewichtungsOptions(QWidget* parent = nullptr);

    void Init(const std::vector<std::string>& titles);
    void SetValues(std::span<const TCalculateOptionsValues> values);
    void GetValues(std::span<TCalculateOptionsValues> values) const;
    void SetVisibleState(const std::vector<bool>& values);
    /// Sets the title label and the window caption.
    void SetTitle(const std::string& value);
    /// Shows the message area with these lines; the dialog becomes two thirds as high as wide.
    void SetMessages(const std::vector<std::string>& values);
    /// The small form: half as high as wide.
    void SmallDlg();

    bool ShowButtons() const { return PanelPlanOptions->ShowButtons(); }
    void SetShowButtons(bool value) { PanelPlanOptions->SetShowButtons(value); }
    void SetOnButtonClick(TFormPanelOptionArray::TOptionButtonClick handler) {
        PanelPlanOptions->OnButtonClick = std::move(handler);
    }

    QLabel* LabelTitle = nullptr;
    TFormPanelOptionArray* PanelPlanOptions = nullptr;
    QWidget* PanelMessages = nullptr;
    QPlainTextEdit* MemoMessages = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* ButtonToStandard = nullptr;

private:
    /// "Standard wiederherstellen" only while some row differs from "normal".
    void UpdateControls();
};

} // namespace terminor
