// The "Ligadaten" page.

#include "app/entry/DialogPanelMainData.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "data/DataObject.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"

namespace terminor {

namespace {

QString Trimmed(const QLineEdit* edit) {
    return edit->text().trimmed();
}

} // namespace

TDialogPanelMainData::TDialogPanelMainData(QWidget* parent) : TDialogPanel(parent) {
    setWindowTitle("Ligadaten");
    auto* outer = new QVBoxLayout(PanelMain);
    auto* form = new QFormLayout();
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    outer->addLayout(form);
    outer->addStretch(1);
    EditName = new QLineEdit(PanelMain);
    EditName->setObjectName("EditName");
    form->addRow("Name der Liga", EditName);
    EditId = new QLineEdit(PanelMain);
    EditId->setObjectName("EditId");
    form->addRow("Liganummer", EditId);
    ComboBoxGender = new QComboBox(PanelMain);
    ComboBoxGender->setObjectName("ComboBoxGender");
    ComboBoxGender->setEditable(true);
    ComboBoxGender->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& ageClass : AgeClasses()) {
        ComboBoxGender->addItem(Qs(ageClass));
    }
    form->addRow("Art (Herren/Damen)", ComboBoxGender);
    DateTimePickerFrom = NewDatePicker(PanelMain, "DateTimePickerFrom");
    form->addRow("Start Vorrunde", DateTimePickerFrom);
    DateTimePickerMid = NewDatePicker(PanelMain, "DateTimePickerMid");
    form->addRow("Start Rückrunde*", DateTimePickerMid);
    DateTimePickerUntil = NewDatePicker(PanelMain, "DateTimePickerUntil");
    form->addRow("Ende Rückrunde", DateTimePickerUntil);
    auto* note = new QLabel("* wird bei Halbrunden ignoriert", PanelMain);
    note->setObjectName("LabelMidNote");
    form->addRow(QString(), note);
    for (auto* picker : {DateTimePickerFrom, DateTimePickerMid, DateTimePickerUntil}) {
        picker->setMinimumWidth(140);
        connect(picker, &QDateTimeEdit::dateChanged, this, [this] { DoChange(); });
    }
    EditName->setMinimumWidth(400);
    EditId->setMinimumWidth(200);
    ComboBoxGender->setMinimumWidth(200);
    connect(EditName, &QLineEdit::textChanged, this, [this] { DoChange(); });
    connect(EditId, &QLineEdit::textChanged, this, [this] { DoChange(); });
    connect(ComboBoxGender, &QComboBox::currentTextChanged, this, [this] { DoChange(); });
}

void TDialogPanelMainData::ShowValues(const TDataObject& plan) {
    const TFillGuard guard(*this);
    EditName->setText(Qs(plan.GetAsString("name")));
    EditId->setText(Qs(plan.GetAsString("id")));
    SelectComboText(ComboBoxGender, Qs(plan.GetAsString("gender")));
    if (DayNumber(plan.GetAsDate("from")) == 0) {
        const int year = QDate::currentDate().year();
        DateTimePickerFrom->setDate(QDate(year, 7, 1));
        DateTimePickerMid->setDate(QDate(year, 12, 30));
        DateTimePickerUntil->setDate(QDate(year + 1, 5, 1));
    } else {
        DateTimePickerFrom->setDate(ToQDate(plan.GetAsDate("from")));
        DateTimePickerMid->setDate(ToQDate(plan.GetAsDate("mid")));
        DateTimePickerUntil->setDate(ToQDate(plan.GetAsDate("until")));
    }
}

void TDialogPanelMainData::DataToForm() {
    ShowValues(PlanData->root());
}

void TDialogPanelMainData::FormToData() {
    TDataObject& plan = PlanData->root();
    plan.SetAsString("name", Ss(Trimmed(EditName)));
    plan.SetAsString("id", Ss(Trimmed(EditId)));
    plan.SetAsString("gender", Ss(ComboBoxGender->currentText().trimmed()));
    plan.SetAsDate("from", FromQDate(DateTimePickerFrom->date()));
    plan.SetAsDate("mid", FromQDate(DateTimePickerMid->date()));
    plan.SetAsDate("until", FromQDate(DateTimePickerUntil->date()));
}

void TDialogPanelMainData::toDefault() {
    if (PlanDataDefault != nullptr) {
        ShowValues(PlanDataDefault->root());
        DoChange();
    }
}

bool TDialogPanelMainData::isDefault() {
    if (PlanDataDefault == nullptr) {
        return true;
    }
    const TDataObject& plan = PlanDataDefault->root();
    return Trimmed(EditName) == Qs(plan.GetAsString("name")) &&
           Trimmed(EditId) == Qs(plan.GetAsString("id")) &&
           ComboBoxGender->currentText().trimmed() == Qs(plan.GetAsString("gender")) &&
           DateTimePickerFrom->date() == ToQDate(plan.GetAsDate("from")) &&
           DateTimePickerMid->date() == ToQDate(plan.GetAsDate("mid")) &&
           DateTimePickerUntil->date() == ToQDate(plan.GetAsDate("until"));
}

bool TDialogPanelMainData::CheckData() {
    QString message;
    if (Trimmed(EditName).isEmpty()) {
        message = "Der Liganame darf nicht leer sein";
    } else if (Trimmed(EditId).isEmpty()) {
        message = "Die Liganummer darf nicht leer sein";
    } else if (ComboBoxGender->currentText().trimmed().isEmpty()) {
        message = "Die Art (Herren/Damen) darf nicht leer sein";
    } else if (DateTimePickerMid->date() >= DateTimePickerUntil->date()) {
        message = "Das Ende der Rückrunde muss nach dem Start der Rückrunde sein";
    } else if (DateTimePickerFrom->date() >= DateTimePickerMid->date()) {
        message = "Der Start der Rückrunde muss nach dem Start der Vorrunde sein";
    }
    if (message.isEmpty()) {
        return true;
    }
    ShowEntryMessage(this, message);
    return false;
}

} // namespace terminor
