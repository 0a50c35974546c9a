#pragma once
// TFormGetUpdates "Updates": shows the result of an update check, either one it runs itself
// ("Auf Updates prüfen...") or one the start-up check has finished. Closing it while its check
// runs aborts the request. A download link is shown and opened only when it is an http or https
// address. User-interface thread only.

#include <functional>
#include <memory>

#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;

namespace terminor {

class TUpdateSearchThread;

class TFormGetUpdates : public QDialog {
    Q_OBJECT
public:
    explicit TFormGetUpdates(QWidget* parent = nullptr);
    ~TFormGetUpdates() override;

    /// Starts a check of `address`; an empty address cannot be checked and says so at once.
    void StartSearch(const QString& address);
    /// Shows the result of a finished check.
    void ShowResult(const TUpdateSearchThread& search);

    /// Opens the download link; the desktop's browser by default (tests replace it).
    std::function<void(const QUrl& url)> OpenUrl;

    QLabel* Label1 = nullptr;
    QLabel* LinkLabel = nullptr;
    QPushButton* ButtonOK = nullptr;
    /// The running or finished check, or null.
    std::unique_ptr<TUpdateSearchThread> SearchThread;

    /// The text shown when the update information cannot be fetched.
    static const char* const NotAvailableText;

public slots:
    /// Ends a running check before the dialog closes.
    void done(int result) override;

private:
    void LinkActivated();

    QUrl Link;
};

/// Shows "Updates" modally for a check of the configured address (the menu "Auf Updates prüfen...").
void ShowUpdateDialog(QWidget* parent);

} // namespace terminor
