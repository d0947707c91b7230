#include "platform/http.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

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

std::function<FakeAnswer(const QUrl&)>& fakeNetwork()
{
    static std::function<FakeAnswer(const QUrl&)> f;
    return f;
}

int& runningCount()
{
    static int n = 0;
    return n;
}

} // namespace

void setFakeNetwork(std::function<FakeAnswer(const QUrl&)> network) { fakeNetwork() = std::move(network); }

std::optional<FakeAnswer> fakeAnswer(const QUrl& url)
{
    if (!fakeNetwork())
        return std::nullopt;
    return fakeNetwork()(url);
}

bool isHttpUrl(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == u"http" || scheme == u"https");
}

int HttpGet::running() { return runningCount(); }

HttpGet::HttpGet(QObject* parent) : QObject(parent) {}

HttpGet::~HttpGet()
{
    if (running_)
        --runningCount();
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
    if (!isHttpUrl(url))
        return false;
    running_ = true;
    ++runningCount();
    if (auto fake = fakeAnswer(url)) {
        // Answered on the next pass of events, as a real answer would be.
        QTimer::singleShot(0, this, [this, answer = *fake] {
            if (finished_)
                return;
            if (answer.whole && answer.body.size() <= maxBodyBytes_) {
                status_ = answer.status;
                body_ = answer.body;
            }
            end();
        });
        return true;
    }
    QNetworkRequest request(url);
    reply_ = manager()->get(request);
    connect(reply_, &QNetworkReply::finished, this, &HttpGet::takeReply);
    connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received) {
        if (received > maxBodyBytes_ && reply_)
            reply_->abort();
    });
    return true;
}

void HttpGet::abort()
{
    // abort() emits finished(), which ends the request through takeReply.
    if (reply_ && !finished_)
        reply_->abort();
    else if (running_ && !finished_)
        end(); // a fake request
}

void HttpGet::end()
{
    finished_ = true;
    if (running_) {
        running_ = false;
        --runningCount();
    }
    emit done();
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
    reply_ = nullptr;
    reply->deleteLater();
    end();
}

} // namespace platform
