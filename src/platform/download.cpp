#include "platform/download.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/http.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <optional>

namespace platform {
namespace {

constexpr int DefaultIdleTimeoutMs = 30000;
constexpr int DefaultGraceMs = 10000;
constexpr int DefaultMinBytesPerSecond = 16 * 1024;
// What one read takes from the reply: large enough that a fast transfer costs few calls.
constexpr qint64 ReadChunkBytes = 256 * 1024;

int& idleOverride()
{
    static int ms = 0;
    return ms;
}

DownloadRate& rateOverride()
{
    static DownloadRate rate;
    return rate;
}

// A positive whole number from the environment, or the fallback.
int positiveSetting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

std::function<bool(const QString&)>& programStarter()
{
    static std::function<bool(const QString&)> s;
    return s;
}

// One transfer with what bounds it.
struct Limits {
    int idleMs = 0;
    DownloadRate rate;
    qint64 maxBytes = 0;
    qint64 maxMs = 0;
    const std::function<bool(const QByteArray&)>* accept = nullptr;
};

// The body's length as the answer announced it, when that is one plain decimal number. Qt's
// parser reads the first of several lengths, and reads a negative or malformed one as none, so
// that it takes the body up to the close; a sign, spaces, another base or a second length count
// as no length here.
std::optional<qint64> announcedLength(const QNetworkReply& reply)
{
    // Several headers of one name come joined by ", ".
    const QByteArray raw = reply.rawHeader("Content-Length");
    if (raw.isEmpty() || raw.size() > 18)
        return std::nullopt;
    for (const char c : raw)
        if (c < '0' || c > '9')
            return std::nullopt;
    return raw.toLongLong();
}

// True when the answer's body is known to have come whole once the reply finished without an
// error: an HTTP/2 stream ends only when the server says so, and an HTTP/1 body must be exactly
// as long as it announced. An HTTP/1 body without a length ends where the connection closes,
// which is also where a cut connection ends it; and a chunked one, cut in the middle of a chunk,
// was taken as whole in one run of four (Qt 6.4), so it counts as cut too: the servers of static
// files send a length when no compression is asked for.
bool hasKnownEnd(const QNetworkReply& reply, qint64 received)
{
    if (reply.attribute(QNetworkRequest::Http2WasUsedAttribute).toBool())
        return true;
    return announcedLength(reply) == received && !reply.rawHeader("Transfer-Encoding").toLower().contains("chunked");
}

// The body as the server stores it: no content coding (nothing to inflate without bound, and a
// length that counts the bytes stored).
bool isIdentityCoded(const QNetworkReply& reply)
{
    const QByteArray coding = reply.rawHeader("Content-Encoding").trimmed().toLower();
    return coding.isEmpty() || coding == "identity";
}

// The transfer, on the thread that calls it (a thread of its own, with its own manager).
bool transfer(const QUrl& url, const QString& target, const Limits& limits)
{
    FileRewrite file(target);
    if (!file.open())
        return false;
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(limits.idleMs);
    request.setRawHeader("Accept-Encoding", "identity");
    QElapsedTimer elapsed;
    elapsed.start();
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    // Bounded chunks from the manager's own thread: unbounded ones grow as large as the socket
    // delivers, and each is fresh memory to fault in.
    reply->setReadBufferSize(ReadChunkBytes);
    bool refused = false;
    bool judged = false;
    qint64 received = 0;
    QByteArray head;
    bool headSeen = false;
    const auto refuse = [&] {
        refused = true;
        reply->abort();
    };
    const auto status = [&] { return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); };
    // The first bytes go to `accept` once there are enough of them (or the body has ended).
    const auto judgeHead = [&] {
        headSeen = true;
        if (limits.accept && *limits.accept && !(*limits.accept)(head))
            refuse();
    };
    const auto take = [&] {
        if (refused || !reply->isOpen())
            return;
        // The answer is judged by its head before any of its body is kept: another status
        // than 200 (an error page, a part of the file, no content) or a body announced longer
        // than it may be.
        if (!judged) {
            judged = true;
            const std::optional<qint64> length = announcedLength(*reply);
            if (status() != 200 || !isIdentityCoded(*reply) || (length && *length > limits.maxBytes)) {
                refuse();
                return;
            }
        }
        // A chunk as large as the read buffer, as most are, is handed over as the manager's
        // thread read it, without a copy.
        for (QByteArray chunk; !(chunk = reply->read(ReadChunkBytes)).isEmpty();) {
            const qint64 n = chunk.size();
            received += n;
            if (received > limits.maxBytes) {
                refuse();
                return;
            }
            if (!headSeen) {
                head.append(chunk.left(DownloadHeadBytes - head.size()));
                if (head.size() == DownloadHeadBytes) {
                    judgeHead();
                    if (refused)
                        return;
                }
            }
            if (file.write(chunk) != n) {
                refuse();
                return;
            }
        }
    };
    // A trickle keeps the idle time-out from ever running out: the average since the request
    // must reach the minimum rate once the grace time has passed. And no transfer outlasts the
    // time its caller gave it.
    QTimer rateCheck;
    const qint64 checkMs = std::min<qint64>(limits.rate.graceMs, limits.maxMs > 0 ? limits.maxMs : limits.rate.graceMs) / 4;
    rateCheck.setInterval(static_cast<int>(std::clamp<qint64>(checkMs, 10, 250)));
    QObject::connect(&rateCheck, &QTimer::timeout, [&] {
        const qint64 ms = elapsed.elapsed();
        if ((ms >= limits.rate.graceMs && received * 1000 < qint64(limits.rate.minBytesPerSecond) * ms) || (limits.maxMs > 0 && ms >= limits.maxMs))
            refuse();
    });
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        rateCheck.start();
        loop.exec();
    }
    take();
    if (!refused && !headSeen)
        judgeHead();
    // A cut body, a time-out, an error page and a refusal all leave the temporary to be removed.
    if (refused || reply->error() != QNetworkReply::NoError || status() != 200 || !isIdentityCoded(*reply) || !hasKnownEnd(*reply, received)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// The candidate's input while a transfer is awaited. What the window system queues stays queued
// for afterwards (the wait's loop leaves it there); what is handed straight to a window
// meanwhile is dropped, so no click or key of the candidate runs a handler inside the wait.
// Only a modal dialog opened inside the wait (a window's close from the window system may ask
// its question) takes its answer: the wait cannot end before the dialog does, and the toolkit
// keeps every other window's input from it.
class InputHold : public QObject {
public:
    InputHold() : modal_(QApplication::activeModalWidget()) { QCoreApplication::instance()->installEventFilter(this); }
    ~InputHold() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (const QWidget* modal = QApplication::activeModalWidget(); modal && modal != modal_)
            return false;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::NonClientAreaMouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
        }
    }

private:
    const QPointer<QWidget> modal_;
};

// Waits for the transfer thread to end while the windows go on: they are drawn, moved and
// answered to the window manager (its ping above all, so that it never offers to kill the
// program). The candidate's input and the program's timers wait (InputHold, TimerHold), and the
// caller goes on only once the transfer has ended.
void awaitTransfer(QThread& thread)
{
    QEventLoop loop;
    QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread.start();
    if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread()) {
        const InputHold input;
        const TimerHold timers;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // Also when the loop was ended from outside (the program quitting): the transfer works on
    // its caller's data until it has ended.
    thread.wait();
}

} // namespace

int downloadIdleTimeoutMs()
{
    if (idleOverride() > 0)
        return idleOverride();
    return positiveSetting("TALVESK_DOWNLOAD_IDLE_MS", DefaultIdleTimeoutMs);
}

void setDownloadIdleTimeoutMs(int ms) { idleOverride() = ms > 0 ? ms : 0; }

DownloadRate downloadMinimumRate()
{
    if (rateOverride().graceMs > 0)
        return rateOverride();
    return {positiveSetting("TALVESK_DOWNLOAD_GRACE_MS", DefaultGraceMs), positiveSetting("TALVESK_DOWNLOAD_MIN_RATE", DefaultMinBytesPerSecond)};
}

void setDownloadMinimumRate(int graceMs, int minBytesPerSecond)
{
    rateOverride() = graceMs > 0 && minBytesPerSecond > 0 ? DownloadRate{graceMs, minBytesPerSecond} : DownloadRate{};
}

bool downloadToFile(const QUrl& url, const QString& target, qint64 maxBytes, const std::function<bool(const QByteArray& head)>& accept, qint64 maxMs)
{
    if (!isHttpUrl(url) || target.isEmpty() || pathHoldsNul(target))
        return false;
    if (auto fake = fakeAnswer(url))
        return fake->whole && fake->status == 200 && fake->body.size() <= maxBytes && (!accept || accept(fake->body.left(DownloadHeadBytes))) &&
               saveBytes(target, fake->body);
    bool stored = false;
    const Limits limits{downloadIdleTimeoutMs(), downloadMinimumRate(), maxBytes, maxMs, &accept};
    std::unique_ptr<QThread> thread(QThread::create([&] { stored = transfer(url, target, limits); }));
    awaitTransfer(*thread);
    return stored;
}

bool startProgram(const QString& path)
{
    if (pathHoldsNul(path))
        return false;
    if (programStarter())
        return programStarter()(path);
    if (!QFileInfo(path).isFile())
        return false;
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
}

void setProgramStarter(std::function<bool(const QString&)> starter) { programStarter() = std::move(starter); }

} // namespace platform
