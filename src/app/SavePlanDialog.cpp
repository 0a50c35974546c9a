// TFormSavePlan: list of remembered schedules, the name field, the link to the storage directory
// and the name checks of OK.

#include "app/SavePlanDialog.h"

#include <filesystem>
#include <memory>

#include <QAction>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/QuestionDialogs.h"
#include "app/WindowHelpers.h"
#include "data/PlanUtils.h"

namespace terminor {

namespace {

const QString MessageCaption = "Terminor";

QString Quoted(const QString& name) {
    return "\"" + name + "\"";
}

} // namespace

TFormSavePlan::TFormSavePlan(QWidget* parent) : QDialog(parent) {
    AdjustDialog(this);
    setObjectName("FormSavePlan");
    setWindowTitle("Plan merken...");
    AskYesNo = [this](const QString& question) { return AskYesNoQuestion(this, question); };
    ShowMessage = [this](const QString& text) { QMessageBox::information(this, MessageCaption, text); };

    auto* layout = new QVBoxLayout(this);
    auto* labelPlans = new QLabel("Vorhandene Pläne", this);
    labelPlans->setObjectName("LabelPlans");
    layout->addWidget(labelPlans);
    ListPlans = new QListWidget(this);
    ListPlans->setObjectName("ListPlans");
    ListPlans->setSelectionMode(QAbstractItemView::SingleSelection);
    ListPlans->setContextMenuPolicy(Qt::CustomContextMenu);
    labelPlans->setBuddy(ListPlans);
    layout->addWidget(ListPlans, 1);

    auto* labelName = new QLabel("Bezeichnung des Plans:", this);
    labelName->setObjectName("LabelName");
    layout->addWidget(labelName);
    EditName = new QLineEdit(this);
    EditName->setObjectName("EditName");
    labelName->setBuddy(EditName);
    layout->addWidget(EditName);

    LinkLabel1 = new QLabel("<a href=\"directory\">Gehe zu Speicherverzeichnis...</a>", this);
    LinkLabel1->setObjectName("LinkLabel1");
    LinkLabel1->setCursor(Qt::PointingHandCursor);
    LinkLabel1->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(LinkLabel1);
    bottom->addStretch(1);
    ButtonOK = NewDialogButton(this, "OK", "ButtonOK", true);
    ButtonCancel = NewDialogButton(this, "Abbruch", "ButtonCancel", false);
    bottom->addWidget(ButtonOK);
    bottom->addWidget(ButtonCancel);
    layout->addLayout(bottom);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName("PopupMenu1");
    Lschen1 = PopupMenu->addAction("Löschen...");
    Lschen1->setObjectName("Lschen1");

    connect(ListPlans, &QListWidget::itemClicked, this, &TFormSavePlan::ListPlansClick);
    connect(ListPlans, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        if (QListWidgetItem* item = ListPlans->itemAt(position)) {
            ListPlans->setCurrentItem(item);
            PopupMenu->exec(ListPlans->viewport()->mapToGlobal(position));
        }
    });
    connect(Lschen1, &QAction::triggered, this, &TFormSavePlan::DeleteSelected);
    connect(LinkLabel1, &QLabel::linkActivated, this, &TFormSavePlan::LinkLabel1Click);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormSavePlan::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(420, 380);
    EditName->setFocus();
}

void TFormSavePlan::SetValues(const std::string& directory, const std::vector<std::string>& savedPlanNames) {
    CurrentPlanDirectory = directory;
    ListPlans->clear();
    for (const std::string& name : savedPlanNames) {
        ListPlans->addItem(QString::fromStdString(name));
    }
}

std::string TFormSavePlan::Name() const {
    return EditName->text().trimmed().toStdString();
}

std::string TFormSavePlan::PlanFileName(const std::string& name) const {
    return CurrentPlanDirectory + "/" + EscapeFileName(name) + ".xml";
}

void TFormSavePlan::ListPlansClick(QListWidgetItem* item) {
    if (item != nullptr) {
        EditName->setText(item->text());
    }
}

void TFormSavePlan::LinkLabel1Click() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(CurrentPlanDirectory)));
}

void TFormSavePlan::DeleteSelected() {
    QListWidgetItem* item = ListPlans->currentItem();
    if (item == nullptr) {
        return;
    }
    EditName->clear();
    const QString name = item->text();
    if (!AskYesNo(Quoted(name) + " löschen?")) {
        return;
    }
    const std::filesystem::path file(PlanFileName(name.toStdString()));
    std::error_code error;
    std::filesystem::remove(file, error);
    // A file that is already gone counts as deleted; one that stays keeps its entry.
    if (std::filesystem::exists(file, error)) {
        ShowMessage("Die Datei " + QString::fromStdString(file.string()) + " kann nicht gelöscht werden.");
        return;
    }
    std::unique_ptr<QListWidgetItem> removed(ListPlans->takeItem(ListPlans->row(item)));
}

void TFormSavePlan::accept() {
    const QString name = EditName->text().trimmed();
    if (name.isEmpty()) {
        ShowMessage("Bitte geben Sie einen Namen ein.");
        EditName->setFocus();
        return;
    }
    for (int i = 0; i < ListPlans->count(); ++i) {
        if (ListPlans->item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            if (!AskYesNo(Quoted(name) + " existiert bereits, möchten Sie den Plan überschreiben?")) {
                return;
            }
            break;
        }
    }
    QDialog::accept();
}

bool ExecuteSavePlanDialog(QWidget* parent, const std::string& directory,
                           const std::vector<std::string>& savedPlanNames, std::string& name) {
    TFormSavePlan dialog(parent);
    dialog.SetValues(directory, savedPlanNames);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    name = dialog.Name();
    return true;
}

} // namespace terminor
