#pragma once
// Drives modal dialogs from GUI tests: the action runs on the dialog once its exec() loop is up.

#include <functional>

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace terminor::test {

/// Runs `action` on the next modal dialog of type T that opens (polled from the event loop, up to
/// about five seconds). Call it right before the code that opens the dialog.
template <typename T> void OnModal(std::function<void(T&)> action, int triesLeft = 500) {
    QTimer::singleShot(triesLeft == 500 ? 0 : 10, [action = std::move(action), triesLeft]() mutable {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            action(*dialog);
        } else if (triesLeft > 0) {
            OnModal<T>(std::move(action), triesLeft - 1);
        }
    });
}

} // namespace terminor::test
