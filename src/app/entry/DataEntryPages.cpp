// The page list of the data dialog.

#include "app/entry/DataEntryPages.h"

#include "app/entry/DialogPanel60km.h"
#include "app/entry/DialogPanelAuswaertskoppel.h"
#include "app/entry/DialogPanelFreeDays.h"
#include "app/entry/DialogPanelHomeCoupleCompact.h"
#include "app/entry/DialogPanelHomeDays.h"
#include "app/entry/DialogPanelHomeRight.h"
#include "app/entry/DialogPanelLocationsCompact.h"
#include "app/entry/DialogPanelMainData.h"
#include "app/entry/DialogPanelMandatoryDays.h"
#include "app/entry/DialogPanelPredefinedGames.h"
#include "app/entry/DialogPanelRanking.h"
#include "app/entry/DialogPanelSisterTeams.h"
#include "app/entry/DialogPanelTeams.h"

#include <QLabel>
#include <QVBoxLayout>

namespace terminor {

TDialogPanelPlaceholder::TDialogPanelPlaceholder(const QString& caption, QWidget* parent)
    : TDialogPanel(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(PanelMain);
    auto* title = new QLabel(caption, PanelMain);
    title->setObjectName("LabelCaption");
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title->setFont(font);
    layout->addWidget(title);
    auto* text = new QLabel("Diese Seite folgt in Kürze.", PanelMain);
    text->setObjectName("LabelPlaceholder");
    layout->addWidget(text);
    layout->addStretch(1);
}

TDialogPanelClass PlaceholderPageClass(const QString& caption) {
    return [caption] {
        return std::unique_ptr<TDialogPanel>(std::make_unique<TDialogPanelPlaceholder>(caption));
    };
}

std::vector<TDialogPanelClass> DataEntryPages() {
    // One line per page, in the dialog's order. A page that is not built yet stands as a
    // placeholder with its caption; replace that line by PageClass<TTheirPage>() when it lands.
    return {
        PageClass<TDialogPanelMainData>(),
        PageClass<TDialogPanelTeams>(),
        PageClass<TDialogPanelRanking>(),
        PageClass<TDialogPanelLocationsCompact>(),
        PageClass<TDialogPanelHomeCoupleCompact>(),
        PageClass<TDialogPanelAuswaertskoppel>(),
        PageClass<TDialogPanelHomeDays>(),
        PageClass<TDialogPanelSisterTeams>(),
        PageClass<TDialogPanel60km>(),
        PageClass<TDialogPanelFreeDays>(),
        PageClass<TDialogPanelMandatoryDays>(),
        PageClass<TDialogPanelPredefinedGames>(),
        PageClass<TDialogPanelHomeRight>(),
    };
}

} // namespace terminor
