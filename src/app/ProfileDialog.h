#pragma once
// TFormProfile ("Profile..."): times the building blocks of the optimisation on a copy of the
// shown plan, so that slow cost terms can be spotted. The run works on its own thread; the dialog
// stays responsive and shows the wait cursor meanwhile. User-interface thread only.

#include <atomic>
#include <memory>
#include <thread>

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace terminor {

class TPlan;
class TProfileRun;

class TFormProfile : public QDialog {
    Q_OBJECT
public:
    /// Measures a copy of `plan`; `calls` is how often each action runs.
    TFormProfile(const TPlan& plan, QWidget* parent = nullptr, int calls = 10001);
    ~TFormProfile() override;

    /// Starts a run (what "Starten" does).
    void Start();
    bool Running() const { return FThread.joinable(); }
    QPlainTextEdit* Memo() const { return FMemo; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void ResetMemo();
    void Poll();
    void Finish();

    std::unique_ptr<TPlan> FPlan;
    std::unique_ptr<TProfileRun> FRun;
    int FCalls;
    std::thread FThread;
    std::atomic<bool> FDone{false};
    std::atomic<bool> FCancel{false};
    QPlainTextEdit* FMemo = nullptr;
    QPushButton* FButtonStart = nullptr;
    QPushButton* FButtonClear = nullptr;
    QPushButton* FButtonOK = nullptr;
    QTimer* FPollTimer = nullptr;
};

} // namespace terminor
