// The dialog "Updates".

#include "app/GetUpdatesDialog.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/UpdateSchedule.h"
#include "app/UpdateSearch.h"
#include "app/WindowHelpers.h"
#include "data/PlanUtils.h"
#include "data/UpdateInfo.h"

namespace terminor {

const char* const TFormGetUpdates::NotAvailableText = "Updateinformation kann nicht abgerufen werden";

TFormGetUpdates::TFormGetUpdates(QWidget* parent) : QDialog(parent) {
    setObjectName("FormGetUpdates");
    setWindowTitle("Updates");
    OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    Label1 = new QLabel("Updates werden gesucht...", this);
    Label1->setObjectName("Label1");
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    layout->addWidget(Label1);
    LinkLabel = new QLabel(this);
    LinkLabel->setObjectName("LinkLabel");
    LinkLabel->setTextFormat(Qt::RichText);
    LinkLabel->setOpenExternalLinks(false);
    LinkLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LinkLabel->setCursor(Qt::PointingHandCursor);
    LinkLabel->setWordWrap(true);
    LinkLabel->setVisible(false);
    connect(LinkLabel, &QLabel::linkActivated, this, [this] { LinkActivated(); });
    layout->addWidget(LinkLabel);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ButtonOK = NewDialogButton(this, "OK", "ButtonOK", true);
    buttons->addWidget(ButtonOK);
    layout->addLayout(buttons);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    FitFormToScreen(this, 420, 150);
    AdjustDialog(this);
}

TFormGetUpdates::~TFormGetUpdates() = default;

void TFormGetUpdates::StartSearch(const QString& address) {
    SearchThread =
        std::make_unique<TUpdateSearchThread>(address, QString::fromStdString(ProgramVersionText()));
    connect(SearchThread.get(), &TUpdateSearchThread::Finished, this, [this] { ShowResult(*SearchThread); });
    SearchThread->Start();
}

void TFormGetUpdates::ShowResult(const TUpdateSearchThread& search) {
    Link.clear();
    LinkLabel->setVisible(false);
    if (search.HasError) {
        Label1->setText(NotAvailableText);
    } else if (search.HasUpdates) {
        const QUrl url(search.Url.trimmed(), QUrl::StrictMode);
        // A link the document gives is followed only to the web: never to a local file or program.
        if (url.isValid() && IsWebAddress(search.Url.trimmed().toStdString())) {
            Link = url;
            Label1->setText("Die neue Version " + search.Version +
                            " des Terminors kann hier runtergeladen werden:");
            LinkLabel->setText("<a href=\"#\">" + search.Url.trimmed().toHtmlEscaped() + "</a>");
            LinkLabel->setVisible(true);
        } else {
            Label1->setText("Die neue Version " + search.Version + " des Terminors ist verfügbar.");
        }
    } else {
        Label1->setText("Terminor ist aktuell");
    }
}

void TFormGetUpdates::LinkActivated() {
    if (Link.isValid() && OpenUrl) {
        OpenUrl(Link);
    }
}

void TFormGetUpdates::done(int result) {
    if (SearchThread != nullptr) {
        SearchThread->Abort();
    }
    QDialog::done(result);
}

void ShowUpdateDialog(QWidget* parent) {
    TFormGetUpdates dialog(parent);
    dialog.StartSearch(UpdateAddress());
    dialog.exec();
}

} // namespace terminor
