#include "platform/download.h"

#include "platform/files.h"
#include "platform/http.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QSaveFile>
#include <QThread>
#include <memory>

namespace platform {
namespace {

constexpr int DefaultIdleTimeoutMs = 30000;

int& idleOverride()
{
    static int ms = 0;
    return ms;
}

std::function<bool(const QString&)>& programStarter()
{
    static std::function<bool(const QString&)> s;
    return s;
}

bool isSuccess(int status) { return status >= 200 && status <= 299; }

// The transfer, on the thread that calls it (a thread of its own, with its own manager).
bool transfer(const QUrl& url, const QString& target, int idleMs)
{
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(idleMs);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    bool written = true;
    auto take = [&] {
        if (!reply->isOpen())
            return;
        const QByteArray chunk = reply->readAll();
        if (file.write(chunk) != chunk.size())
            written = false;
    };
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    take();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // A cut body, a time-out and an error page all leave the temporary to be removed.
    if (!written || reply->error() != QNetworkReply::NoError || !isSuccess(status)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

int downloadIdleTimeoutMs()
{
    if (idleOverride() > 0)
        return idleOverride();
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("TALVESK_DOWNLOAD_IDLE_MS", &ok);
    return ok && ms > 0 ? ms : DefaultIdleTimeoutMs;
}

void setDownloadIdleTimeoutMs(int ms) { idleOverride() = ms > 0 ? ms : 0; }

bool downloadToFile(const QUrl& url, const QString& target)
{
    if (!isHttpUrl(url) || target.isEmpty())
        return false;
    if (auto fake = fakeAnswer(url))
        return fake->whole && isSuccess(fake->status) && saveBytes(target, fake->body);
    bool stored = false;
    const int idleMs = downloadIdleTimeoutMs();
    std::unique_ptr<QThread> thread(QThread::create([&] { stored = transfer(url, target, idleMs); }));
    thread->start();
    thread->wait();
    return stored;
}

bool startProgram(const QString& path)
{
    if (programStarter())
        return programStarter()(path);
    if (!QFileInfo(path).isFile())
        return false;
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
}

void setProgramStarter(std::function<bool(const QString&)> starter) { programStarter() = std::move(starter); }

} // namespace platform
