// Window helpers every dialog uses.

#include "app/WindowHelpers.h"

#include <vector>

#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QScrollArea>
#include <QWidget>

#include "app/DialogHelpers.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace terminor {

namespace {

/// Whether the program runs in a Windows compatibility layer on another system.
bool RunsUnderCompatibilityLayer() {
#ifdef Q_OS_WIN
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

/// Whether control `a` comes after control `b` in the tab order by position.
bool ComesAfter(const QWidget* a, const QWidget* b, int orderA, int orderB) {
    const QRect ra = a->geometry();
    const QRect rb = b->geometry();
    if (ra.top() >= rb.top() + rb.height()) {
        return true;
    }
    if (rb.top() >= ra.top() + ra.height()) {
        return false;
    }
    if (ra.left() != rb.left()) {
        return rb.left() < ra.left();
    }
    if (ra.top() != rb.top()) {
        return rb.top() < ra.top();
    }
    return orderB < orderA;
}

/// The child controls of `parent` ordered by position, each followed by its own children.
void CollectByPosition(QWidget* parent, std::vector<QWidget*>& order) {
    std::vector<QWidget*> children;
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child != nullptr && !child->isWindow()) {
            children.push_back(child);
        }
    }
    const std::size_t n = children.size();
    std::vector<std::vector<QWidget*>> buckets(n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t position = 0;
        for (std::size_t j = 0; j < n; ++j) {
            if (i != j && ComesAfter(children[i], children[j], static_cast<int>(i), static_cast<int>(j))) {
                ++position;
            }
        }
        buckets[position].push_back(children[i]);
    }
    for (const std::vector<QWidget*>& bucket : buckets) {
        for (QWidget* child : bucket) {
            order.push_back(child);
            if (auto* area = qobject_cast<QScrollArea*>(child);
                area != nullptr && area->widget() != nullptr) {
                CollectByPosition(area->widget(), order);
            } else if (child->focusPolicy() == Qt::NoFocus) {
                // A container: its controls follow it. A focusable control keeps its own parts.
                CollectByPosition(child, order);
            }
        }
    }
}

/// Runs ArrangeTabOrder on the first show of the form, then removes itself.
class TArrangeOnShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent()) {
            ArrangeTabOrder(static_cast<QWidget*>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

std::shared_ptr<TWaitCursor> CreateWaitCursor() {
    return std::make_shared<TWaitCursor>();
}

void ArrangeTabOrder(QWidget* form) {
    std::vector<QWidget*> order;
    CollectByPosition(form, order);
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (widget->focusPolicy() == Qt::NoFocus || qobject_cast<QScrollArea*>(widget) != nullptr) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void AdjustDialog(QWidget* form) {
    if (RunsUnderCompatibilityLayer()) {
        QFont font = form->font();
        font.setFamily("Arial");
        form->setFont(font);
    }
    form->installEventFilter(new TArrangeOnShow(form));
}

QString GetComboText(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? QString() : combo->itemText(combo->currentIndex());
}

void SelectComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    if (combo->isEditable() && combo->currentIndex() < 0) {
        combo->setEditText(text);
    }
}

} // namespace terminor
