#pragma once
// A data-entry page placed into a plain host widget on given plan data, counting its change
// notifications, as the data dialogs host it.

#include <memory>

#include <QWidget>

#include "app/entry/DialogPanel.h"
#include "data/PlanData.h"

namespace terminor::test {

template <typename TPage> struct THostedPage {
    THostedPage(TPlanData& data, const TPlanData* defaults) : page(std::make_unique<TPage>()) {
        page->setPanel(&host);
        page->setPlanData(&data, defaults);
        page->OnChange = [this] { ++changes; };
        page->DataToForm();
    }
    TPage* operator->() const { return page.get(); }

    QWidget host;
    std::unique_ptr<TPage> page;
    int changes = 0;
};

} // namespace terminor::test
