// The update check against a local HTTP server on the loopback address: a newer version with its
// link, the same version, a document without version, an unreachable address, no address, and
// closing "Updates" while the request waits; the start-up check of the main window.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>

#include "GuiTestUtil.h"
#include "ModalTestUtil.h"
#include "app/GetUpdatesDialog.h"
#include "app/UpdateSchedule.h"
#include "app/UpdateSearch.h"
#include "data/PlanUtils.h"

using namespace terminor;
using namespace terminor::test;

namespace {

/// An HTTP server of the test process on 127.0.0.1: answers every request with `Body`, or never
/// when `Answer` is false; counts the requests and the connections still open.
class TLocalHttpServer {
public:
    TLocalHttpServer() {
        EXPECT_TRUE(Server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&Server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = Server.nextPendingConnection()) {
                ++Open;
                auto request = std::make_shared<QByteArray>();
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                    request->append(socket->readAll());
                    if (!request->contains("\r\n\r\n")) {
                        return;
                    }
                    ++Requests;
                    if (Answer) {
                        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n"
                                      "Content-Length: " +
                                      QByteArray::number(Body.size()) + "\r\n\r\n" + Body);
                        socket->disconnectFromHost();
                    }
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                    --Open;
                    socket->deleteLater();
                });
            }
        });
    }
    QString Address() const { return QString("http://127.0.0.1:%1/terminor.ini").arg(Server.serverPort()); }

    QTcpServer Server;
    QByteArray Body;
    bool Answer = true;
    int Requests = 0;
    int Open = 0;
};

/// An address on the loopback where nothing listens.
QString ClosedAddress() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QString("http://127.0.0.1:%1/terminor.ini").arg(port);
}

QByteArray Document(const std::string& version, const std::string& url = "https://example.org/terminor") {
    return QByteArray::fromStdString("[info]\r\nversion=" + version + "\r\nurl=" + url + "\r\n");
}

struct TShownUpdates {
    std::string Text;
    bool LinkVisible = false;
    std::string LinkText;
    std::vector<QUrl> Opened;
};

/// Chooses "Auf Updates prüfen..." in the window's menu with `address` set; waits for the result
/// in "Updates", clicks its link when shown, and closes it with OK.
TShownUpdates CheckFromMenu(TTestWindow& t, const QString& address) {
    QSettings().setValue("update/url", address);
    TShownUpdates shown;
    bool seen = false;
    OnModal<TFormGetUpdates>([&](TFormGetUpdates& d) {
        seen = true;
        EXPECT_EQ(d.windowTitle().toStdString(), "Updates");
        d.OpenUrl = [&](const QUrl& url) { shown.Opened.push_back(url); };
        EXPECT_TRUE(WaitUntil([&] { return d.Label1->text() != "Updates werden gesucht..."; }));
        shown.Text = d.Label1->text().toStdString();
        shown.LinkVisible = d.LinkLabel->isVisible();
        shown.LinkText = d.LinkLabel->text().toStdString();
        if (shown.LinkVisible) {
            emit d.LinkLabel->linkActivated("#");
        }
        d.ButtonOK->click();
    });
    QAction* menu = Find<QAction>(*t.window, "AufUpdatesprfen1");
    EXPECT_EQ(menu->text().toStdString(), "Auf Updates prüfen...");
    EXPECT_TRUE(menu->isEnabled()) << "usable before any plan is opened";
    menu->trigger();
    EXPECT_TRUE(seen);
    return shown;
}

std::string NewerVersion() {
    return std::to_string(std::stoi(ProgramVersionText()) + 1) + ".0.0.0";
}

} // namespace

TEST(UpdateCheck, MenuShowsANewerVersionWithItsWebLinkOnly) {
    TTestWindow t;
    TLocalHttpServer server;
    server.Body = Document(NewerVersion());
    TShownUpdates shown = CheckFromMenu(t, server.Address());
    EXPECT_EQ(shown.Text,
              "Die neue Version " + NewerVersion() + " des Terminors kann hier runtergeladen werden:");
    EXPECT_TRUE(shown.LinkVisible);
    EXPECT_NE(shown.LinkText.find("https://example.org/terminor"), std::string::npos);
    ASSERT_EQ(shown.Opened.size(), 1u);
    EXPECT_EQ(shown.Opened.front(), QUrl("https://example.org/terminor"));

    // A link to a local file or a program is neither shown nor opened.
    for (const char* link :
         {"file:///usr/bin/xterm", "C:\\Windows\\system32\\calc.exe", "<b>https://x.de</b>"}) {
        server.Body = Document(NewerVersion(), link);
        shown = CheckFromMenu(t, server.Address());
        EXPECT_EQ(shown.Text, "Die neue Version " + NewerVersion() + " des Terminors ist verfügbar.") << link;
        EXPECT_FALSE(shown.LinkVisible) << link;
        EXPECT_TRUE(shown.Opened.empty()) << link;
    }
    EXPECT_EQ(server.Requests, 4);
}

TEST(UpdateCheck, SameVersionOrNoVersionIsCurrent) {
    TTestWindow t;
    TLocalHttpServer server;
    server.Body = Document(ProgramVersionText());
    EXPECT_EQ(CheckFromMenu(t, server.Address()).Text, "Terminor ist aktuell");
    server.Body = "[info]\r\nurl=https://example.org/terminor\r\n";
    const TShownUpdates shown = CheckFromMenu(t, server.Address());
    EXPECT_EQ(shown.Text, "Terminor ist aktuell");
    EXPECT_FALSE(shown.LinkVisible);
    // An oversized answer is no update document.
    server.Body = Document(NewerVersion()) + QByteArray(TUpdateSearchThread::MaxDocumentSize, ';');
    EXPECT_EQ(CheckFromMenu(t, server.Address()).Text, "Updateinformation kann nicht abgerufen werden");
}

TEST(UpdateCheck, UnreachableOrMissingAddressCannotBeFetched) {
    TTestWindow t;
    EXPECT_EQ(CheckFromMenu(t, ClosedAddress()).Text, "Updateinformation kann nicht abgerufen werden");
    EXPECT_EQ(CheckFromMenu(t, QString()).Text, "Updateinformation kann nicht abgerufen werden");
    EXPECT_EQ(CheckFromMenu(t, "file:///etc/hostname").Text, "Updateinformation kann nicht abgerufen werden");
}

TEST(UpdateCheck, ClosingUpdatesWhileTheServerWaitsEndsTheRequest) {
    TTestWindow t;
    TLocalHttpServer server;
    server.Answer = false;
    QSettings().setValue("update/url", server.Address());
    std::string text;
    OnModal<TFormGetUpdates>([&](TFormGetUpdates& d) {
        EXPECT_TRUE(WaitUntil([&] { return server.Requests == 1; }));
        text = d.Label1->text().toStdString();
        EXPECT_TRUE(d.SearchThread->Running());
        d.ButtonOK->click();
    });
    t.window->AufUpdatesprfen1Click();
    EXPECT_EQ(text, "Updates werden gesucht...");
    // The request was aborted: the server sees its connection closed.
    EXPECT_TRUE(WaitUntil([&] { return server.Open == 0; }));
}

TEST(UpdateCheck, StartUpCheckShowsOnlyANewerVersionAndNeverWaits) {
    TTestWindow t;
    TLocalHttpServer server;
    const auto reopen = [&] {
        t.window.reset();
        t.window = std::make_unique<TFormTerminorMain>(ScriptedHooks(t.script), t.dir.File("appdata"),
                                                       SmallEngine());
    };
    int dialogs = 0;
    std::string text;
    const auto watchUpdates = [&] {
        OnModal<TFormGetUpdates>([&](TFormGetUpdates& d) {
            ++dialogs;
            text = d.Label1->text().toStdString();
            d.ButtonOK->click();
        });
    };

    // No address: nothing is checked and the time of the last check stays.
    EXPECT_EQ(t.window->SearchUpdateThread(), nullptr);
    EXPECT_EQ(LastUpdateSearch(), 0.0);

    // Due, and a newer version: "Updates" shows it by itself.
    QSettings().setValue("update/url", server.Address());
    server.Body = Document(NewerVersion());
    watchUpdates();
    reopen();
    EXPECT_NE(t.window->SearchUpdateThread(), nullptr);
    EXPECT_GT(LastUpdateSearch(), 0.0);
    EXPECT_TRUE(WaitUntil([&] { return dialogs == 1; }));
    EXPECT_EQ(text, "Die neue Version " + NewerVersion() + " des Terminors kann hier runtergeladen werden:");
    EXPECT_TRUE(WaitUntil([&] { return t.window->SearchUpdateThread() == nullptr; }));

    // Checked less than two days ago: no request.
    reopen();
    EXPECT_EQ(t.window->SearchUpdateThread(), nullptr);
    EXPECT_EQ(server.Requests, 1);

    // Due, but the current version or no network: nothing at all is shown.
    for (const QString& address : {server.Address(), ClosedAddress()}) {
        server.Body = Document(ProgramVersionText());
        QSettings().setValue("update/url", address);
        SetLastUpdateSearch(0.0);
        reopen();
        ASSERT_NE(t.window->SearchUpdateThread(), nullptr);
        EXPECT_TRUE(WaitUntil([&] { return t.window->SearchUpdateThread() == nullptr; }));
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(t.script.Errors.empty());

    // A server that never answers: the window is usable at once, and closing it ends the request.
    server.Answer = false;
    QSettings().setValue("update/url", server.Address());
    SetLastUpdateSearch(0.0);
    reopen();
    EXPECT_TRUE(WaitUntil([&] { return server.Open == 1 && server.Requests == 3; }));
    EXPECT_TRUE(t.window->SearchUpdateThread()->Running());
    t.window.reset();
    EXPECT_TRUE(WaitUntil([&] { return server.Open == 0; }));
}
