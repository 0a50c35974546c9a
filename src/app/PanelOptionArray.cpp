// TFormPanelOptionArray: the rows are placed by hand in the fixed row geometry of the weight
// dialogs; hidden rows leave no gap.

#include "app/PanelOptionArray.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace terminor {

namespace {

// Row geometry in pixels at 96 dots per inch.
constexpr int LabelLeft = 10;
constexpr int LabelWidth = 114;
constexpr int LabelHeight = 13;
constexpr int ComboLeft = 192;
constexpr int ComboRaise = 3;
constexpr int ComboWidth = 145;
constexpr int ComboHeight = 21;
constexpr int ButtonLeft = 360;
constexpr int ButtonRaise = 5;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int FirstRowTop = 10;
constexpr int RowStep = 27;
constexpr int RightMargin = 10;
/// The least space between a title and its selector.
constexpr int LabelGap = 8;

constexpr int NormalIndex = static_cast<int>(coNormal);

} // namespace

TFormPanelOptionArray::TFormPanelOptionArray(QWidget* parent) : QWidget(parent) {
    setObjectName("FormPanelOptionArray");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setWidgetResizable(false);
    // The rows show the background of the page or dialog they are placed on.
    ScrollBox->viewport()->setAutoFillBackground(false);
    layout->addWidget(ScrollBox);
    ClearRows();
}

QStringList TFormPanelOptionArray::WeightTexts() {
    QStringList texts;
    for (int i = 0; i < CalculateOptionsValuesCount; ++i) {
        texts << QString::fromStdString(
            std::string(CalculateOptionsValueText(static_cast<TCalculateOptionsValues>(i))));
    }
    return texts;
}

void TFormPanelOptionArray::SetPanel(QWidget* parentPanel) {
    if (parentPanel == nullptr) {
        setParent(nullptr);
        return;
    }
    setParent(parentPanel);
    QLayout* layout = parentPanel->layout();
    if (layout == nullptr) {
        layout = new QVBoxLayout(parentPanel);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(this);
    show();
}

void TFormPanelOptionArray::ClearRows() {
    Combos.clear();
    Labels.clear();
    Buttons.clear();
    VisibleState.clear();
    // The scroll area deletes the previous rows widget with all its rows.
    FRowsWidget = new QWidget;
    FRowsWidget->setObjectName("PanelRows");
    ScrollBox->setWidget(FRowsWidget);
    FRowsWidget->setAutoFillBackground(false);
}

void TFormPanelOptionArray::Init(const std::vector<std::string>& titles) {
    ClearRows();
    const QStringList texts = WeightTexts();
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const int index = static_cast<int>(i);
        auto* label = new QLabel(QString::fromStdString(titles[i]), FRowsWidget);
        label->setObjectName(QString("Label%1").arg(index));
        auto* combo = new QComboBox(FRowsWidget);
        combo->setObjectName(QString("Combo%1").arg(index));
        combo->addItems(texts);
        combo->setCurrentIndex(NormalIndex);
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { ComboChanged(); });
        auto* button = new QPushButton("Anpassen...", FRowsWidget);
        button->setObjectName(QString("Button%1").arg(index));
        connect(button, &QPushButton::clicked, this, [this, button, index] {
            if (OnButtonClick) {
                OnButtonClick(button, index);
            }
        });
        Labels.push_back(label);
        Combos.push_back(combo);
        Buttons.push_back(button);
        VisibleState.push_back(true);
    }
    Layout();
}

void TFormPanelOptionArray::ComboChanged() {
    if (!InLoad && OnChanged) {
        OnChanged();
    }
}

void TFormPanelOptionArray::SetValues(std::span<const TCalculateOptionsValues> values) {
    const bool wasInLoad = InLoad;
    InLoad = true;
    const std::size_t n = std::min(values.size(), Combos.size());
    for (std::size_t i = 0; i < n; ++i) {
        Combos[i]->setCurrentIndex(static_cast<int>(values[i]));
    }
    InLoad = wasInLoad;
}

void TFormPanelOptionArray::GetValues(std::span<TCalculateOptionsValues> values) const {
    const std::size_t n = std::min(values.size(), Combos.size());
    for (std::size_t i = 0; i < n; ++i) {
        values[i] = static_cast<TCalculateOptionsValues>(std::max(0, Combos[i]->currentIndex()));
    }
}

void TFormPanelOptionArray::SetVisibleState(const std::vector<bool>& values) {
    bool changed = false;
    const std::size_t n = std::min(values.size(), VisibleState.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (VisibleState[i] != values[i]) {
            VisibleState[i] = values[i];
            changed = true;
        }
    }
    if (changed) {
        Layout();
    }
}

void TFormPanelOptionArray::toDefault() {
    const bool wasInLoad = InLoad;
    InLoad = true;
    for (QComboBox* combo : Combos) {
        combo->setCurrentIndex(NormalIndex);
    }
    InLoad = wasInLoad;
}

bool TFormPanelOptionArray::isDefault() const {
    return std::all_of(Combos.begin(), Combos.end(),
                       [](const QComboBox* combo) { return combo->currentIndex() == NormalIndex; });
}

void TFormPanelOptionArray::SetShowButtons(bool value) {
    if (FShowButtons != value) {
        FShowButtons = value;
        Layout();
    }
}

void TFormPanelOptionArray::Layout() {
    // The selector and button columns keep their places unless a title at the user's font does
    // not fit in front of them; then both move right together instead of cutting the title.
    int labelWidth = LabelWidth;
    for (const QLabel* label : Labels) {
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    }
    const int shift = std::max(0, LabelLeft + labelWidth + LabelGap - ComboLeft);
    int top = FirstRowTop;
    int right = ComboLeft + shift + ComboWidth;
    for (std::size_t i = 0; i < Combos.size(); ++i) {
        QLabel* label = Labels[i];
        QComboBox* combo = Combos[i];
        QPushButton* button = Buttons[i];
        if (!VisibleState[i]) {
            label->hide();
            combo->hide();
            button->hide();
            continue;
        }
        label->setGeometry(LabelLeft, top, labelWidth, std::max(LabelHeight, label->sizeHint().height()));
        combo->setGeometry(ComboLeft + shift, top - ComboRaise, ComboWidth, ComboHeight);
        button->setGeometry(ButtonLeft + shift, top - ButtonRaise, ButtonWidth, ButtonHeight);
        label->show();
        combo->show();
        button->setVisible(FShowButtons);
        if (FShowButtons) {
            right = ButtonLeft + shift + ButtonWidth;
        }
        top += RowStep;
    }
    FRowsWidget->resize(right + RightMargin, top);
    updateGeometry();
}

QSize TFormPanelOptionArray::sizeHint() const {
    return FRowsWidget->size();
}

} // namespace terminor
