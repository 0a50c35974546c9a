#pragma once
// TDialogPanelMultiTeams: base of the pages that edit one team at a time. A team list on the left
// swaps a per-team detail page (TDialogTeamPanel) on the right; leaving a team writes its detail
// page back first and is refused while that page's CheckData fails. The team selected last is
// shared by all per-team pages for the whole program run. User-interface thread only.

#include <memory>
#include <string>

#include "app/entry/DialogPanel.h"

class QLabel;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;

namespace terminor {

class TDialogPanelMultiTeams : public TDialogPanel {
    Q_OBJECT
public:
    explicit TDialogPanelMultiTeams(QWidget* parent = nullptr);
    ~TDialogPanelMultiTeams() override;

    /// Creates a new detail page for one team.
    virtual std::unique_ptr<TDialogTeamPanel> getDialogClass() const = 0;
    /// The page caption.
    QString getCaption() const override = 0;
    /// Fixed explanatory text above the detail page; empty hides it.
    virtual QString getHeaderText() const { return {}; }

    /// Also applies the caption and the header text.
    void setPanel(QWidget* panelMain) override;
    /// Fills the team list and selects the team selected last, or the first team.
    void DataToForm() override;
    void FormToData() override;
    void toDefault() override;
    bool isDefault() override;
    bool CheckData() override;

    /// Selects that team as the user would; false when the current detail page refuses to be left
    /// or the team is not listed.
    bool SelectTeam(const std::string& teamName);
    /// The name of the team whose detail page is open, or empty.
    std::string currentTeam() const;

    /// The name of the team selected last in any per-team page (one per program run).
    static std::string& LastSelectedTeam();

    QScrollArea* ScrollBoxMain = nullptr;
    QLabel* PanelHeader = nullptr;
    QWidget* PanelDetail = nullptr;
    QWidget* PanelFixedHeaderText = nullptr;
    QLabel* LabelHeaderText = nullptr;
    QTreeWidget* TreeView = nullptr;
    /// The open detail page, or null.
    std::unique_ptr<TDialogTeamPanel> DialogPanel;

private:
    void TreeViewCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OpenTeam(const std::string& teamName);
    bool Reverting = false;
};

} // namespace terminor
