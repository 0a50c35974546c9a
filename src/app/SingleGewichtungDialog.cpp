// TDialogForSingleGewichtungsOptions: title above the weight column, the message area below it
// (hidden until messages are set), the buttons at the bottom.

#include "app/SingleGewichtungDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"

namespace terminor {

namespace {

constexpr int DesignWidth = 500;
constexpr int DesignHeight = 560;

} // namespace

TDialogForSingleGewichtungsOptions::TDialogForSingleGewichtungsOptions(QWidget* parent) : QDialog(parent) {
    AdjustDialog(this);
    setObjectName("DialogForSingleGewichtungsOptions");
    auto* layout = new QVBoxLayout(this);

    LabelTitle = new QLabel(this);
    LabelTitle->setObjectName("LabelTitle");
    LabelTitle->setWordWrap(true);
    QFont titleFont = LabelTitle->font();
    titleFont.setBold(true);
    LabelTitle->setFont(titleFont);
    layout->addWidget(LabelTitle);

    auto* panelMiddle = new QWidget(this);
    panelMiddle->setObjectName("PanelMiddle");
    PanelPlanOptions = new TFormPanelOptionArray;
    PanelPlanOptions->setObjectName("PanelPlanOptions");
    PanelPlanOptions->SetPanel(panelMiddle);
    PanelPlanOptions->OnChanged = [this] { UpdateControls(); };
    layout->addWidget(panelMiddle, 1);

    PanelMessages = new QWidget(this);
    PanelMessages->setObjectName("PanelMessages");
    auto* messagesLayout = new QVBoxLayout(PanelMessages);
    messagesLayout->setContentsMargins(0, 0, 0, 0);
    auto* labelMessages = new QLabel("Meldungen:", PanelMessages);
    labelMessages->setObjectName("LabelMessages");
    messagesLayout->addWidget(labelMessages);
    MemoMessages = new QPlainTextEdit(PanelMessages);
    MemoMessages->setObjectName("MemoMessages");
    MemoMessages->setReadOnly(true);
    MemoMessages->setLineWrapMode(QPlainTextEdit::NoWrap);
    messagesLayout->addWidget(MemoMessages);
    PanelMessages->hide();
    layout->addWidget(PanelMessages, 3);

    auto* buttons = new QHBoxLayout;
    ButtonToStandard = NewDialogButton(this, "Standard wiederherstellen", "ButtonToStandard", false);
    ButtonOK = NewDialogButton(this, "OK", "ButtonOK", true);
    ButtonCancel = NewDialogButton(this, "Abbrechen", "ButtonCancel", false);
    buttons->addWidget(ButtonToStandard);
    buttons->addStretch(1);
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);

    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonToStandard, &QPushButton::clicked, this, [this] {
        PanelPlanOptions->toDefault();
        UpdateControls();
    });

    resize(DesignWidth, DesignHeight);
    UpdateControls();
}

void TDialogForSingleGewichtungsOptions::Init(const std::vector<std::string>& titles) {
    PanelPlanOptions->Init(titles);
    UpdateControls();
}

void TDialogForSingleGewichtungsOptions::SetValues(std::span<const TCalculateOptionsValues> values) {
    PanelPlanOptions->SetValues(values);
    UpdateControls();
}

void TDialogForSingleGewichtungsOptions::GetValues(std::span<TCalculateOptionsValues> values) const {
    PanelPlanOptions->GetValues(values);
}

void TDialogForSingleGewichtungsOptions::SetVisibleState(const std::vector<bool>& values) {
    PanelPlanOptions->SetVisibleState(values);
}

void TDialogForSingleGewichtungsOptions::SetTitle(const std::string& value) {
    const QString text = QString::fromStdString(value);
    LabelTitle->setText(text);
    setWindowTitle(text);
}

void TDialogForSingleGewichtungsOptions::SetMessages(const std::vector<std::string>& values) {
    MemoMessages->setPlainText(JoinLines(values));
    PanelMessages->show();
    resize(width(), width() * 2 / 3);
}

void TDialogForSingleGewichtungsOptions::SmallDlg() {
    resize(width(), width() / 2);
}

void TDialogForSingleGewichtungsOptions::UpdateControls() {
    ButtonToStandard->setEnabled(!PanelPlanOptions->isDefault());
}

} // namespace terminor
