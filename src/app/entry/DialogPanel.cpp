// The data-entry page base classes and the pages' message boxes.

#include "app/entry/DialogPanel.h"

#include <exception>
#include <new>

#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace terminor {

TDialogPanel::TDialogPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    PanelMain = new QWidget(this);
    PanelMain->setObjectName("PanelMain");
    layout->addWidget(PanelMain);
}

TDialogPanel::~TDialogPanel() = default;

void TDialogPanel::setPanel(QWidget* panelMain) {
    QLayout* layout = panelMain->layout();
    if (layout == nullptr) {
        layout = new QVBoxLayout(panelMain);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    setParent(panelMain);
    layout->addWidget(this);
    show();
}

void TDialogPanel::setPlanData(TPlanData* planData, const TPlanData* planDataDefault) {
    PlanData = planData;
    PlanDataDefault = planDataDefault;
}

void TDialogPanel::DoChange() {
    if (!isFilling() && OnChange) {
        OnChange();
    }
}

void TDialogTeamPanel::setPlanData(const std::string& teamName, TPlanData* planData,
                                   const TPlanData* planDataDefault) {
    TeamName = teamName;
    TDialogPanel::setPlanData(planData, planDataDefault);
}

TDataEntryHooks DefaultDataEntryHooks() {
    TDataEntryHooks hooks;
    hooks.ShowMessage = [](QWidget* parent, const QString& text) {
        QMessageBox::information(parent, "Terminor", text);
    };
    hooks.AskYesNo = [](QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::Question, "Terminor", text, QMessageBox::Yes | QMessageBox::No, parent);
        box.button(QMessageBox::Yes)->setText("Ja");
        box.button(QMessageBox::No)->setText("Nein");
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    };
    return hooks;
}

TDataEntryHooks& DataEntryHooks() {
    static TDataEntryHooks hooks = DefaultDataEntryHooks();
    return hooks;
}

void ShowEntryMessage(QWidget* parent, const QString& text) {
    DataEntryHooks().ShowMessage(parent, text);
}

bool GuardedEntry(QWidget* parent, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::bad_alloc&) {
        ShowEntryMessage(parent, "Nicht genügend Arbeitsspeicher.");
    } catch (const std::exception& e) {
        ShowEntryMessage(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

bool AskEntryYesNo(QWidget* parent, const QString& text) {
    return DataEntryHooks().AskYesNo(parent, text);
}

} // namespace terminor
