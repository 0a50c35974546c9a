// The single-page data-entry host.

#include "app/entry/DialogForSinglePanel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "data/PlanData.h"

namespace terminor {

TDialogForSinglePanel::TDialogForSinglePanel(QWidget* parent)
    : QDialog(parent), PlanData(std::make_unique<TPlanData>()) {
    auto* layout = new QVBoxLayout(this);
    PanelMain = new QWidget(this);
    PanelMain->setObjectName("PanelMain");
    auto* mainLayout = new QVBoxLayout(PanelMain);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PanelMain, 1);
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
    connect(ButtonOK, &QPushButton::clicked, this, &TDialogForSinglePanel::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonToStandard, &QPushButton::clicked, this, &TDialogForSinglePanel::ButtonToStandardClick);
    FitFormToScreen(this, 900, 650);
    AdjustDialog(this);
}

TDialogForSinglePanel::~TDialogForSinglePanel() {
    // The page lives inside PanelMain and refers to PlanData; it goes first.
    DialogPanel.reset();
}

void TDialogForSinglePanel::SetValues(const TPlanData& sourcePlan, const TPlanData* planDataDefault,
                                      const TDialogPanelClass& panelClass) {
    DialogPanel.reset();
    PlanData->assign(sourcePlan);
    DialogPanel = panelClass();
    DialogPanel->setPanel(PanelMain);
    DialogPanel->setPlanData(PlanData.get(), planDataDefault);
    DialogPanel->DataToForm();
    setWindowTitle(DialogPanel->getCaption());
    DialogPanel->OnChange = [this] { UpdateDefaultButton(); };
    UpdateDefaultButton();
    ArrangeTabOrder(this);
}

void TDialogForSinglePanel::UpdateDefaultButton() {
    ButtonToStandard->setEnabled(DialogPanel && !DialogPanel->isDefault());
}

void TDialogForSinglePanel::ButtonOKClick() {
    if (GuardedEntry(this, [&] {
            if (DialogPanel) {
                DialogPanel->FormToData();
            }
        })) {
        accept();
    }
}

void TDialogForSinglePanel::ButtonToStandardClick() {
    GuardedEntry(this, [&] {
        if (DialogPanel) {
            DialogPanel->toDefault();
        }
        UpdateDefaultButton();
    });
}

} // namespace terminor
