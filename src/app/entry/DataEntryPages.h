#pragma once
// The pages of the data dialog "Spielplandaten bearbeiten..." in their order, and the plain page
// that stands in for a page still to come. User-interface thread only.

#include <memory>
#include <vector>

#include "app/entry/DialogPanel.h"

namespace terminor {

/// The thirteen page classes in the order the data dialog shows them.
std::vector<TDialogPanelClass> DataEntryPages();

/// The class of a page type with a default constructor.
template <typename TPage> TDialogPanelClass PageClass() {
    return [] { return std::unique_ptr<TDialogPanel>(std::make_unique<TPage>()); };
}

/// A page that only shows its caption and "Diese Seite folgt in Kürze.".
class TDialogPanelPlaceholder : public TDialogPanel {
    Q_OBJECT
public:
    explicit TDialogPanelPlaceholder(const QString& caption, QWidget* parent = nullptr);
};

/// The class of a placeholder page with that caption.
TDialogPanelClass PlaceholderPageClass(const QString& caption);

} // namespace terminor
