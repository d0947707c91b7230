#include "platform/http.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace platform {
namespace {

// One manager for the whole program, owned by the application object so that it goes before
// the network back end does.
QNetworkAccessManager* manager()
{
    static QPointer<QNetworkAccessManager> m;
    if (!m)
        m = new QNetworkAccessManager(QCoreApplication::instance());
    return m;
}

} // namespace

HttpGet::HttpGet(QObject* parent) : QObject(parent) {}

HttpGet::~HttpGet()
{
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

bool HttpGet::start(const QUrl& url)
{
    abort();
    finished_ = false;
    status_ = 0;
    body_.clear();
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return false;
    QNetworkRequest request(url);
    reply_ = manager()->get(request);
    connect(reply_, &QNetworkReply::finished, this, &HttpGet::takeReply);
    return true;
}

void HttpGet::abort()
{
    // abort() emits finished(), which ends the request through takeReply.
    if (reply_ && !finished_)
        reply_->abort();
}

void HttpGet::takeReply()
{
    QNetworkReply* reply = reply_;
    if (!reply || finished_)
        return;
    // An aborted request counts as no answer, even when its headers had come in.
    if (reply->error() != QNetworkReply::OperationCanceledError) {
        status_ = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        body_ = reply->readAll();
    }
    finished_ = true;
    reply_ = nullptr;
    reply->deleteLater();
    emit done();
}

} // namespace platform
