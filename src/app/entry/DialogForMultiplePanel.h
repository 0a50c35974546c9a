#pragma once
// TDialogForMultiplePanel: the modal data dialog with a tree of pages on a private copy of the
// plan data. Switching pages writes the old page back first and is refused while its CheckData
// fails; OK checks and writes the open page; the caller takes the copy over (getPlanData) only
// after OK. "Standard wiederherstellen" is shown only when default data are given.
// User-interface thread only.

#include <memory>
#include <vector>

#include <QDialog>

#include "app/entry/DialogPanel.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace terminor {

class TDialogForMultiplePanel : public QDialog {
    Q_OBJECT
public:
    explicit TDialogForMultiplePanel(QWidget* parent = nullptr);
    ~TDialogForMultiplePanel() override;

    /// Copies `sourcePlan`, remembers `planDataDefault` (not owned, may be null), adds one tree node
    /// per page class in order and opens the first page.
    void SetValues(const TPlanData& sourcePlan, const TPlanData* planDataDefault,
                   std::vector<TDialogPanelClass> panelClasses);
    /// The edited copy.
    TPlanData& getPlanData() { return *PlanData; }

    /// Opens the page at that position as a click on its node would; false when the open page
    /// refuses to be left.
    bool SelectPage(int index);
    /// Position of the open page, -1 before SetValues.
    int currentPage() const { return CurrentIndex; }

    void ButtonOKClick();
    void ButtonToStandardClick();
    /// Visible only with default data; enabled exactly when the open page differs from it.
    void UpdateDefaultButton();

    QTreeWidget* TreeView = nullptr;
    QWidget* PanelMain = nullptr;
    QWidget* PanelBottom = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* ButtonToStandard = nullptr;
    /// The open page, or null.
    std::unique_ptr<TDialogPanel> DialogPanel;

private:
    void TreeViewCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OpenPage(int index);

    std::unique_ptr<TPlanData> PlanData;
    const TPlanData* PlanDataDefault = nullptr;
    std::vector<TDialogPanelClass> DialogClasses;
    int CurrentIndex = -1;
    bool Reverting = false;
};

} // namespace terminor
