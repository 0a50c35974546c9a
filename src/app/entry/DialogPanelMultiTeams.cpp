// The per-team page base: team list, detail page swapping and the team selected last.

#include "app/entry/DialogPanelMultiTeams.h"

#include <vector>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/PlanData.h"

namespace terminor {

TDialogPanelMultiTeams::TDialogPanelMultiTeams(QWidget* parent) : TDialogPanel(parent) {
    auto* layout = new QHBoxLayout(PanelMain);
    layout->setContentsMargins(0, 0, 0, 0);
    TreeView = new QTreeWidget(PanelMain);
    TreeView->setObjectName("TreeView");
    TreeView->setHeaderHidden(true);
    TreeView->setRootIsDecorated(false);
    TreeView->setColumnCount(1);
    TreeView->setMinimumWidth(180);
    TreeView->setMaximumWidth(260);
    layout->addWidget(TreeView);

    auto* right = new QWidget(PanelMain);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    PanelHeader = new QLabel(right);
    PanelHeader->setObjectName("PanelHeader");
    QFont headerFont = PanelHeader->font();
    headerFont.setBold(true);
    headerFont.setPointSizeF(headerFont.pointSizeF() * 1.3);
    PanelHeader->setFont(headerFont);
    rightLayout->addWidget(PanelHeader);
    PanelFixedHeaderText = new QWidget(right);
    PanelFixedHeaderText->setObjectName("PanelFixedHeaderText");
    auto* fixedLayout = new QVBoxLayout(PanelFixedHeaderText);
    fixedLayout->setContentsMargins(0, 0, 0, 0);
    LabelHeaderText = new QLabel(PanelFixedHeaderText);
    LabelHeaderText->setObjectName("LabelHeaderText");
    LabelHeaderText->setWordWrap(true);
    fixedLayout->addWidget(LabelHeaderText);
    rightLayout->addWidget(PanelFixedHeaderText);
    ScrollBoxMain = new QScrollArea(right);
    ScrollBoxMain->setObjectName("ScrollBoxMain");
    ScrollBoxMain->setWidgetResizable(true);
    ScrollBoxMain->setFrameShape(QFrame::NoFrame);
    PanelDetail = new QWidget();
    PanelDetail->setObjectName("PanelDetail");
    auto* detailLayout = new QVBoxLayout(PanelDetail);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    ScrollBoxMain->setWidget(PanelDetail);
    rightLayout->addWidget(ScrollBoxMain, 1);
    layout->addWidget(right, 1);

    connect(TreeView, &QTreeWidget::currentItemChanged, this,
            &TDialogPanelMultiTeams::TreeViewCurrentChanged);
}

TDialogPanelMultiTeams::~TDialogPanelMultiTeams() {
    // The detail page lives inside PanelDetail; it goes first.
    DialogPanel.reset();
}

std::string& TDialogPanelMultiTeams::LastSelectedTeam() {
    static std::string teamName;
    return teamName;
}

void TDialogPanelMultiTeams::setPanel(QWidget* panelMain) {
    setWindowTitle(getCaption());
    const QString header = getHeaderText();
    LabelHeaderText->setText(header);
    PanelFixedHeaderText->setVisible(!header.isEmpty());
    TDialogPanel::setPanel(panelMain);
}

void TDialogPanelMultiTeams::DataToForm() {
    std::vector<std::string> names;
    PlanData->getTeamNames(names);
    QTreeWidgetItem* select = nullptr;
    {
        const QSignalBlocker blocker(TreeView);
        DialogPanel.reset();
        TreeView->clear();
        for (const std::string& name : names) {
            auto* item = new QTreeWidgetItem(TreeView, QStringList{Qs(name)});
            if (name == LastSelectedTeam()) {
                select = item;
            }
        }
        if (select == nullptr && TreeView->topLevelItemCount() > 0) {
            select = TreeView->topLevelItem(0);
        }
        TreeView->setCurrentItem(select);
    }
    if (select != nullptr) {
        OpenTeam(Ss(select->text(0)));
    } else {
        PanelHeader->setText(getCaption());
    }
}

void TDialogPanelMultiTeams::TreeViewCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (Reverting) {
        return;
    }
    bool leave = false;
    GuardedEntry(this, [&] { leave = !DialogPanel || DialogPanel->CheckData(); });
    if (leave && current != nullptr) {
        leave = GuardedEntry(this, [&] { OpenTeam(Ss(current->text(0))); });
    }
    if (!leave) {
        Reverting = true;
        TreeView->setCurrentItem(previous);
        Reverting = false;
    }
}

void TDialogPanelMultiTeams::OpenTeam(const std::string& teamName) {
    LastSelectedTeam() = teamName;
    if (DialogPanel) {
        DialogPanel->FormToData();
        DialogPanel.reset();
    }
    DialogPanel = getDialogClass();
    DialogPanel->setPanel(PanelDetail);
    DialogPanel->setPlanData(teamName, PlanData, PlanDataDefault);
    {
        const TFillGuard guard(*this);
        DialogPanel->DataToForm();
    }
    DialogPanel->OnChange = [this] { DoChange(); };
    PanelHeader->setText(Qs(teamName) + " / " + getCaption());
    DoChange();
}

bool TDialogPanelMultiTeams::SelectTeam(const std::string& teamName) {
    const QList<QTreeWidgetItem*> items = TreeView->findItems(Qs(teamName), Qt::MatchExactly);
    if (items.isEmpty()) {
        return false;
    }
    TreeView->setCurrentItem(items.front());
    return currentTeam() == teamName;
}

std::string TDialogPanelMultiTeams::currentTeam() const {
    return DialogPanel ? DialogPanel->teamName() : std::string();
}

void TDialogPanelMultiTeams::FormToData() {
    if (DialogPanel) {
        DialogPanel->FormToData();
    }
}

void TDialogPanelMultiTeams::toDefault() {
    if (DialogPanel) {
        DialogPanel->toDefault();
    }
}

bool TDialogPanelMultiTeams::isDefault() {
    return !DialogPanel || DialogPanel->isDefault();
}

bool TDialogPanelMultiTeams::CheckData() {
    return !DialogPanel || DialogPanel->CheckData();
}

} // namespace terminor
