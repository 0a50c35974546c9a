#pragma once
// Helpers of the data-entry tests: the example plan data, recorded message boxes, and scripted
// answers for the modal edit dialogs the pages open.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QTimer>

#include "app/entry/DialogPanel.h"
#include "data/PlanData.h"

namespace terminor::test {

inline std::unique_ptr<TPlanData> ExampleImport() {
    auto data = std::make_unique<TPlanData>();
    data->LoadFromClickTTFile(std::string(TERMINOR_SOURCE_DIR) + "/examples/bezirksliga-herren-nord.xml");
    return data;
}

inline std::unique_ptr<TPlanData> ExamplePlanFile() {
    auto data = std::make_unique<TPlanData>();
    data->LoadFromXML(std::string(TERMINOR_SOURCE_DIR) + "/examples/bezirksliga-herren-nord.terminor.xml");
    return data;
}

/// Replaces the pages' message boxes for its lifetime: messages are recorded, questions answered.
struct TRecordedMessages {
    TRecordedMessages() : Saved(DataEntryHooks()) {
        DataEntryHooks().ShowMessage = [this](QWidget*, const QString& text) {
            Messages.push_back(text.toStdString());
        };
        DataEntryHooks().AskYesNo = [this](QWidget*, const QString& text) {
            Questions.push_back(text.toStdString());
            return Answer;
        };
    }
    ~TRecordedMessages() { DataEntryHooks() = Saved; }
    TRecordedMessages(const TRecordedMessages&) = delete;
    TRecordedMessages& operator=(const TRecordedMessages&) = delete;

    TDataEntryHooks Saved;
    std::vector<std::string> Messages;
    std::vector<std::string> Questions;
    bool Answer = true;
};

/// Answers the next modal dialogs of type T in turn, one action per dialog that opens; each
/// action must close its dialog. Stops after the last action or about ten seconds.
template <typename T> void ScriptModals(std::vector<std::function<void(T&)>> actions) {
    auto queue = std::make_shared<std::deque<std::function<void(T&)>>>(actions.begin(), actions.end());
    auto* timer = new QTimer(qApp);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [queue, timer, ticks] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog != nullptr && !dialog->property("scripted").toBool()) {
            dialog->setProperty("scripted", true);
            auto action = std::move(queue->front());
            queue->pop_front();
            action(*dialog);
        }
        if (queue->empty() || ++*ticks > 1000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

} // namespace terminor::test
