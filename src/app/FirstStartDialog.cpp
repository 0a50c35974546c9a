// The first-start dialog: heading, message, the step's OK button and "Überspringen".

#include "app/FirstStartDialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "app/entry/DataEntryPages.h"
#include "app/entry/DialogForSinglePanel.h"
#include "app/entry/DialogPanelAuswaertskoppel.h"
#include "app/entry/DialogPanelHomeCoupleCompact.h"
#include "app/entry/DialogPanelLocationsCompact.h"
#include "app/entry/DialogPanelMandatoryDays.h"
#include "app/entry/DialogPanelRanking.h"

namespace terminor {

TFirstStartPages FirstStartPages() {
    TFirstStartPages pages;
    pages[tmLocations] = PageClass<TDialogPanelLocationsCompact>();
    pages[tmKoppel] = PageClass<TDialogPanelHomeCoupleCompact>();
    pages[tmAuswaertskoppel] = PageClass<TDialogPanelAuswaertskoppel>();
    pages[tmSetzliste] = PageClass<TDialogPanelRanking>();
    pages[tmMandatoryDays] = PageClass<TDialogPanelMandatoryDays>();
    return pages;
}

TDialogFirstStart::TDialogFirstStart(QWidget* parent, TFirstStartPages pages)
    : QDialog(parent), Pages(std::move(pages)) {
    setObjectName("DialogFirstStart");
    setWindowTitle("Erster Start...");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    LabelHeader = new QLabel(this);
    LabelHeader->setObjectName("LabelHeader");
    QFont font = LabelHeader->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    LabelHeader->setFont(font);
    layout->addWidget(LabelHeader);
    LabelMessage = new QLabel(this);
    LabelMessage->setObjectName("LabelMessage");
    LabelMessage->setWordWrap(true);
    LabelMessage->setTextFormat(Qt::PlainText);
    LabelMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addSpacing(8);
    layout->addWidget(LabelMessage, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ButtonOK = NewDialogButton(this, QString(), "ButtonOK", true);
    ButtonCancel = NewDialogButton(this, "Überspringen", "ButtonCancel", false);
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
    connect(ButtonOK, &QPushButton::clicked, this, &TDialogFirstStart::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TDialogFirstStart::ButtonCancelClick);
    FitFormToScreen(this, 560, 270);
    AdjustDialog(this);
    ShowMessage();
}

void TDialogFirstStart::SetValue(const TPlanData& planData, const TPlanData* planDataDefault,
                                 const TPlan& planLoaded) {
    PlanData = &planData;
    PlanDataDefault = planDataDefault;
    PlanLoaded = &planLoaded;
    CurrMessage = tmLocations;
    ShowMessage();
}

void TDialogFirstStart::ShowMessage() {
    const TFirstStartTexts& texts = FirstStartTexts(CurrMessage);
    LabelHeader->setText(QString::fromUtf8(texts.Header));
    LabelMessage->setText(QString::fromUtf8(texts.Message));
    ButtonOK->setText(QString::fromUtf8(texts.OkCaption));
    ButtonOK->setFocus();
}

void TDialogFirstStart::NextMessage() {
    const std::optional<TMessages> next =
        PlanLoaded != nullptr ? NextFirstStartStep(CurrMessage, FirstStartFactsOf(*PlanLoaded))
                              : std::nullopt;
    if (!next) {
        accept();
        return;
    }
    CurrMessage = *next;
    ShowMessage();
}

void TDialogFirstStart::ButtonOKClick() {
    if (PlanData == nullptr) {
        return;
    }
    bool taken = false;
    GuardedEntry(this, [&] {
        TDialogForSinglePanel host(this);
        host.SetValues(*PlanData, PlanDataDefault, Pages[CurrMessage]);
        if (host.exec() != QDialog::Accepted) {
            return;
        }
        taken = !OnApplyChangedSettings || OnApplyChangedSettings(host.getPlanData());
    });
    // A cancelled page or a failed take-over stays on the step.
    if (taken) {
        NextMessage();
    }
}

void TDialogFirstStart::ButtonCancelClick() {
    NextMessage();
}

void TDialogFirstStart::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ButtonCancelClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace terminor
