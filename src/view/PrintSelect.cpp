// TFormPrintSelect: a check box per section in print order, the page format and OK/Abbruch.

#include "view/PrintSelect.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace terminor {

namespace {

struct TCheckBoxDef {
    const char* name;
    const char* caption;
};

// In the order of TPrintSection.
constexpr TCheckBoxDef CheckBoxDefs[PrintSectionCount] = {
    {"CheckBoxTerminWuensche", "Terminwünsche"},
    {"CheckBoxSisterTeams", "Termine der Nachbarmannschaften"},
    {"CheckBoxKosten", "Kosten"},
    {"CheckBoxTerminPlan", "Spielplan"},
    {"CheckBoxMannschaftsplaene", "Mannschaftspläne"},
    {"CheckBoxMannschaftsplaeneWithSisterTeams", "Mannschaftspläne mit Nachbarmannschaften"},
    {"CheckBoxVerteilung", "Diagramme"},
};

constexpr int FormatHochformat = 0;
constexpr int FormatQuerformat = 1;

} // namespace

TFormPrintSelect::TFormPrintSelect(QWidget* parent) : QDialog(parent) {
    setObjectName("FormPrintSelect");
    setWindowTitle("Druckauswahl");
    auto* layout = new QVBoxLayout(this);

    auto* group = new QGroupBox(QString::fromUtf8("Was soll gedruckt werden?"), this);
    group->setObjectName("GroupBoxSections");
    auto* groupLayout = new QVBoxLayout(group);
    for (int i = 0; i < PrintSectionCount; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(CheckBoxDefs[i].caption), group);
        box->setObjectName(CheckBoxDefs[i].name);
        box->setChecked(true);
        groupLayout->addWidget(box);
        FCheckBoxes[static_cast<std::size_t>(i)] = box;
    }
    layout->addWidget(group);

    auto* formatRow = new QHBoxLayout();
    auto* formatLabel = new QLabel("Seitenformat:", this);
    ComboBoxFormat = new QComboBox(this);
    ComboBoxFormat->setObjectName("ComboBoxFormat");
    ComboBoxFormat->addItem("Hochformat");
    ComboBoxFormat->addItem("Querformat");
    ComboBoxFormat->setCurrentIndex(FormatHochformat);
    formatLabel->setBuddy(ComboBoxFormat);
    formatRow->addWidget(formatLabel);
    formatRow->addWidget(ComboBoxFormat, 1);
    layout->addLayout(formatRow);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("ButtonOK");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Abbruch", QDialogButtonBox::RejectRole);
    cancel->setObjectName("ButtonAbbruch");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

TPrintSelection TFormPrintSelect::Selection() const {
    TPrintSelection selection;
    for (std::size_t i = 0; i < FCheckBoxes.size(); ++i) {
        selection.Sections[i] = FCheckBoxes[i]->isChecked();
    }
    selection.Landscape = ComboBoxFormat->currentIndex() == FormatQuerformat;
    return selection;
}

} // namespace terminor
