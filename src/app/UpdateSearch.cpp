// The update check over Qt Network.

#include "app/UpdateSearch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "data/UpdateInfo.h"

namespace terminor {

TUpdateSearchThread::TUpdateSearchThread(QString address, QString ownVersion, QObject* parent)
    : QObject(parent), Address(std::move(address)), OwnVersion(std::move(ownVersion)),
      Manager(new QNetworkAccessManager(this)) {}

TUpdateSearchThread::~TUpdateSearchThread() {
    Abort();
}

void TUpdateSearchThread::Start() {
    Abort();
    HasError = false;
    HasUpdates = false;
    Version.clear();
    Url.clear();
    FFinished = false;
    const QUrl url(Address.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || !IsWebAddress(url.toString(QUrl::FullyEncoded).toStdString())) {
        Finish(true);
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(TimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, "Terminor/" + OwnVersion);
    Reply = Manager->get(request);
    connect(Reply, &QNetworkReply::finished, this, &TUpdateSearchThread::ReplyFinished);
    // A document larger than any update document is no such document: the request ends early.
    connect(Reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > MaxDocumentSize && Reply) {
            Reply->abort();
        }
    });
}

void TUpdateSearchThread::Abort() {
    if (Reply) {
        QNetworkReply* reply = Reply;
        Reply.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void TUpdateSearchThread::ReplyFinished() {
    QNetworkReply* reply = Reply;
    Reply.clear();
    if (reply == nullptr) {
        return;
    }
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
        Finish(true);
        return;
    }
    const QByteArray body = reply->read(MaxDocumentSize + 1);
    if (body.size() > MaxDocumentSize) {
        Finish(true);
        return;
    }
    const TUpdateInfo info =
        ReadUpdateInfo(std::string_view(body.constData(), static_cast<size_t>(body.size())));
    Version = QString::fromStdString(info.Version);
    Url = QString::fromStdString(info.Url);
    HasUpdates = IsNewerVersion(OwnVersion.toStdString(), info.Version);
    Finish(false);
}

void TUpdateSearchThread::Finish(bool error) {
    HasError = error;
    FFinished = true;
    emit Finished();
}

} // namespace terminor
