#pragma once
// TUpdateSearchThread: one check for a newer program version. It fetches the update document
// (an INI text, see data/UpdateInfo.h) from the configured address with one asynchronous request
// of Qt Network and compares its version with the program's own. It needs no thread of its own:
// the request runs in the event loop and `Finished` is raised when it ends. Destroying it or
// calling Abort ends a running request at once. User-interface thread only.

#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace terminor {

class TUpdateSearchThread : public QObject {
    Q_OBJECT
public:
    /// `address`: the update document's address; `ownVersion`: the program's version text.
    TUpdateSearchThread(QString address, QString ownVersion, QObject* parent = nullptr);
    ~TUpdateSearchThread() override;

    /// Sends the request. An address that is no http or https address ends the check at once with
    /// HasError (so no local file is ever read), as does every failure of the request.
    void Start();
    /// Ends a running request without a result; Finished is not raised.
    void Abort();
    bool Running() const { return !Reply.isNull(); }
    bool IsFinished() const { return FFinished; }

    bool HasError = false;
    bool HasUpdates = false;
    /// The offered version and the download link, as the document says.
    QString Version;
    QString Url;

    /// The longest answer taken; update documents are a few lines.
    static constexpr qint64 MaxDocumentSize = 64 * 1024;
    /// A server that accepts but never answers ends the check after this long.
    static constexpr int TimeoutMs = 20000;

signals:
    void Finished();

private:
    void ReplyFinished();
    void Finish(bool error);

    QString Address;
    QString OwnVersion;
    QNetworkAccessManager* Manager = nullptr;
    QPointer<QNetworkReply> Reply;
    bool FFinished = false;
};

} // namespace terminor
