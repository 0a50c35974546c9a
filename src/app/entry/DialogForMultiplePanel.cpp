// The multi-page data-entry host "Spielplandaten bearbeiten...".

#include "app/entry/DialogForMultiplePanel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "data/PlanData.h"

namespace terminor {

TDialogForMultiplePanel::TDialogForMultiplePanel(QWidget* parent)
    : QDialog(parent), PlanData(std::make_unique<TPlanData>()) {
    auto* layout = new QVBoxLayout(this);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    TreeView = new QTreeWidget(splitter);
    TreeView->setObjectName("TreeView");
    TreeView->setHeaderHidden(true);
    TreeView->setRootIsDecorated(false);
    TreeView->setColumnCount(1);
    PanelMain = new QWidget(splitter);
    PanelMain->setObjectName("PanelMain");
    auto* mainLayout = new QVBoxLayout(PanelMain);
    mainLayout->setContentsMargins(6, 0, 0, 0);
    splitter->addWidget(TreeView);
    splitter->addWidget(PanelMain);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 940});
    layout->addWidget(splitter, 1);
    PanelBottom = new QWidget(this);
    PanelBottom->setObjectName("PanelBottom");
    auto* bottom = new QHBoxLayout(PanelBottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    ButtonToStandard = NewDialogButton(PanelBottom, "Standard wiederherstellen", "ButtonToStandard", false);
    bottom->addWidget(ButtonToStandard);
    bottom->addStretch(1);
    ButtonOK = NewDialogButton(PanelBottom, "OK", "ButtonOK", true);
    ButtonCancel = NewDialogButton(PanelBottom, "Abbrechen", "ButtonCancel", false);
    bottom->addWidget(ButtonOK);
    bottom->addWidget(ButtonCancel);
    layout->addWidget(PanelBottom);
    connect(ButtonOK, &QPushButton::clicked, this, &TDialogForMultiplePanel::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonToStandard, &QPushButton::clicked, this, &TDialogForMultiplePanel::ButtonToStandardClick);
    connect(TreeView, &QTreeWidget::currentItemChanged, this,
            &TDialogForMultiplePanel::TreeViewCurrentChanged);
    FitFormToScreen(this, 1200, 800);
    AdjustDialog(this);
}

TDialogForMultiplePanel::~TDialogForMultiplePanel() {
    // The page lives inside PanelMain and refers to PlanData; it goes first.
    DialogPanel.reset();
}

void TDialogForMultiplePanel::SetValues(const TPlanData& sourcePlan, const TPlanData* planDataDefault,
                                        std::vector<TDialogPanelClass> panelClasses) {
    DialogPanel.reset();
    CurrentIndex = -1;
    PlanData->assign(sourcePlan);
    PlanDataDefault = planDataDefault;
    DialogClasses = std::move(panelClasses);
    {
        const QSignalBlocker blocker(TreeView);
        TreeView->clear();
        for (std::size_t i = 0; i < DialogClasses.size(); ++i) {
            const std::unique_ptr<TDialogPanel> probe = DialogClasses[i]();
            auto* item = new QTreeWidgetItem(TreeView, QStringList{probe->getCaption()});
            item->setData(0, Qt::UserRole, static_cast<int>(i));
        }
    }
    if (TreeView->topLevelItemCount() > 0) {
        TreeView->setCurrentItem(TreeView->topLevelItem(0));
    }
    UpdateDefaultButton();
}

void TDialogForMultiplePanel::TreeViewCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (Reverting) {
        return;
    }
    bool leave = false;
    GuardedEntry(this, [&] { leave = !DialogPanel || DialogPanel->CheckData(); });
    if (leave && current != nullptr) {
        leave = GuardedEntry(this, [&] { OpenPage(current->data(0, Qt::UserRole).toInt()); });
    }
    if (!leave) {
        Reverting = true;
        TreeView->setCurrentItem(previous);
        Reverting = false;
    }
}

void TDialogForMultiplePanel::OpenPage(int index) {
    if (DialogPanel) {
        DialogPanel->FormToData();
        DialogPanel.reset();
    }
    CurrentIndex = index;
    DialogPanel = DialogClasses.at(static_cast<std::size_t>(index))();
    DialogPanel->setPanel(PanelMain);
    DialogPanel->setPlanData(PlanData.get(), PlanDataDefault);
    DialogPanel->DataToForm();
    DialogPanel->OnChange = [this] { UpdateDefaultButton(); };
    UpdateDefaultButton();
    ArrangeTabOrder(DialogPanel.get());
}

bool TDialogForMultiplePanel::SelectPage(int index) {
    if (index < 0 || index >= TreeView->topLevelItemCount()) {
        return false;
    }
    TreeView->setCurrentItem(TreeView->topLevelItem(index));
    return CurrentIndex == index;
}

void TDialogForMultiplePanel::UpdateDefaultButton() {
    ButtonToStandard->setVisible(PlanDataDefault != nullptr);
    ButtonToStandard->setEnabled(PlanDataDefault != nullptr && DialogPanel && !DialogPanel->isDefault());
}

void TDialogForMultiplePanel::ButtonOKClick() {
    bool written = false;
    GuardedEntry(this, [&] {
        if (DialogPanel) {
            if (!DialogPanel->CheckData()) {
                return;
            }
            DialogPanel->FormToData();
        }
        written = true;
    });
    if (written) {
        accept();
    }
}

void TDialogForMultiplePanel::ButtonToStandardClick() {
    GuardedEntry(this, [&] {
        if (DialogPanel) {
            DialogPanel->toDefault();
        }
        UpdateDefaultButton();
    });
}

} // namespace terminor
