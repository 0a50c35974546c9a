// TFormPrintSelect: a check box per section in print order, the page format, the font size and
// OK/Abbruch.

#include "view/PrintSelect.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
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
constexpr int FontSizeNormal = 0;
constexpr int FontSizeGross = 1;
/// The settings key of the font size last chosen.
constexpr const char* FontSizeKey = "print/largeFont";

/// A label and its combo box in one row.
QComboBox* AddComboRow(QWidget* parent, QVBoxLayout* layout, const char* label, const char* name,
                       const QStringList& items) {
    auto* row = new QHBoxLayout();
    auto* caption = new QLabel(QString::fromUtf8(label), parent);
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    caption->setBuddy(combo);
    row->addWidget(caption);
    row->addWidget(combo, 1);
    layout->addLayout(row);
    return combo;
}

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

    ComboBoxFormat =
        AddComboRow(this, layout, "Seitenformat:", "ComboBoxFormat", {"Hochformat", "Querformat"});
    ComboBoxFormat->setCurrentIndex(FormatHochformat);
    ComboBoxSchriftgroesse = AddComboRow(this, layout, "Schriftgröße:", "ComboBoxSchriftgroesse",
                                         {"normal", QString::fromUtf8("groß")});
    ComboBoxSchriftgroesse->setCurrentIndex(QSettings().value(FontSizeKey, false).toBool() ? FontSizeGross
                                                                                           : FontSizeNormal);

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
    selection.LargeFont = ComboBoxSchriftgroesse->currentIndex() == FontSizeGross;
    return selection;
}

void TFormPrintSelect::accept() {
    QSettings().setValue(FontSizeKey, Selection().LargeFont);
    QDialog::accept();
}

} // namespace terminor
