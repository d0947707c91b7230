#include "support/http_server.h"

#include "platform/clock.h"
#include "platform/http.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QMutexLocker>
#include <QNetworkProxy>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <utility>

namespace testsupport {
namespace {

QByteArray reasonOf(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 206: return "Partial Content";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

QByteArray headOf(const HttpAnswer& a)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) + ' ' + reasonOf(a.status) + "\r\n";
    head += "Content-Type: application/octet-stream\r\n";
    switch (a.framing) {
    case HttpAnswer::Framing::Length:
        head += "Content-Length: " + (a.endless ? QByteArray("1000000000000") : QByteArray::number(a.body.size())) + "\r\n";
        break;
    case HttpAnswer::Framing::Chunked: head += "Transfer-Encoding: chunked\r\n"; break;
    case HttpAnswer::Framing::Close: break;
    }
    return head + a.extraHeaders + "Connection: close\r\n\r\n";
}

// Sends the answer's body chunk by chunk on the server's thread: at once, a chunk every while,
// or without end while the client reads. The state lives as long as the socket.
class Sender : public QObject {
public:
    Sender(QTcpSocket* socket, const HttpAnswer& a) : QObject(socket), socket_(socket), a_(a)
    {
        if (a_.endless && a_.body.isEmpty())
            a_.body = QByteArray(64 * 1024, 'e');
        socket_->write(headOf(a_));
        if (a_.trickleMs > 0) {
            auto* timer = new QTimer(this);
            connect(timer, &QTimer::timeout, this, [this] { sendChunk(std::max(1, a_.trickleBytes)); });
            timer->start(a_.trickleMs);
        } else if (a_.endless) {
            connect(socket_, &QTcpSocket::bytesWritten, this, [this] { pump(); });
            pump();
        } else {
            sendChunk(a_.body.size());
        }
    }

private:
    // Keeps a little queued, no more: an endless body must not fill the server's memory.
    void pump()
    {
        while (!done_ && socket_->bytesToWrite() < 256 * 1024)
            sendChunk(a_.body.size());
    }
    void sendChunk(qint64 size)
    {
        if (done_)
            return;
        QByteArray chunk;
        while (chunk.size() < size && (a_.endless || sent_ + chunk.size() < a_.body.size())) {
            const qint64 at = (sent_ + chunk.size()) % std::max<qsizetype>(1, a_.body.size());
            chunk += a_.body.mid(at, size - chunk.size());
            if (a_.body.isEmpty())
                break;
        }
        // A chunk cut short still announces its whole size, as when a connection breaks.
        const QByteArray chunkHead = QByteArray::number(chunk.size(), 16) + "\r\n";
        const bool cut = a_.cutAfter >= 0 && sent_ + chunk.size() >= a_.cutAfter;
        if (cut)
            chunk.truncate(a_.cutAfter - sent_);
        sent_ += chunk.size();
        if (a_.framing == HttpAnswer::Framing::Chunked && (!chunk.isEmpty() || cut))
            socket_->write(chunkHead + chunk + (cut ? QByteArray() : QByteArray("\r\n")));
        else if (!chunk.isEmpty())
            socket_->write(chunk);
        const bool whole = !a_.endless && sent_ >= a_.body.size();
        if (cut || whole) {
            done_ = true;
            if (whole && !cut && a_.framing == HttpAnswer::Framing::Chunked)
                socket_->write("0\r\n\r\n");
            socket_->disconnectFromHost();
        }
    }

    QTcpSocket* socket_;
    HttpAnswer a_;
    qint64 sent_ = 0;
    bool done_ = false;
};

void sendAnswer(QTcpSocket* socket, const HttpAnswer& a) { new Sender(socket, a); }

} // namespace

LoopbackHttpServer::LoopbackHttpServer()
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    thread_.start();
    auto* context = new QObject;
    context->moveToThread(&thread_);
    QMetaObject::invokeMethod(
        context,
        [this, context] {
            server_ = new QTcpServer;
            server_->listen(QHostAddress::LocalHost, 0);
            port_ = server_->serverPort();
            QObject::connect(server_, &QTcpServer::newConnection, server_, [this] { onConnection(); });
            delete context;
        },
        Qt::BlockingQueuedConnection);
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    // Once the thread has ended, its objects may go from here.
    thread_.quit();
    thread_.wait();
    delete server_;
}

QString LoopbackHttpServer::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }

void LoopbackHttpServer::answer(int status, const QByteArray& body)
{
    QMutexLocker lock(&mutex_);
    default_ = HttpAnswer{status, body};
}

void LoopbackHttpServer::neverAnswer()
{
    QMutexLocker lock(&mutex_);
    default_ = HttpAnswer::stall();
}

void LoopbackHttpServer::route(const QString& path, std::vector<HttpAnswer> answers)
{
    QMutexLocker lock(&mutex_);
    routes_[path] = std::move(answers);
    served_[path] = 0;
}

void LoopbackHttpServer::clearRoutes()
{
    QMutexLocker lock(&mutex_);
    routes_.clear();
    served_.clear();
}

QStringList LoopbackHttpServer::requestLines() const
{
    QMutexLocker lock(&mutex_);
    return lines_;
}

QStringList LoopbackHttpServer::targets() const
{
    QStringList out;
    for (const QString& line : requestLines())
        out << line.section(u' ', 1, 1);
    return out;
}

int LoopbackHttpServer::heldRequests() const
{
    QMutexLocker lock(&mutex_);
    return held_;
}

void LoopbackHttpServer::releaseHeld()
{
    QMetaObject::invokeMethod(server_, [this] {
        for (const auto& send : std::exchange(waiting_, {}))
            send();
    });
}

void LoopbackHttpServer::onRequest(std::function<void(const QString& target)> hook) { requestHook_ = std::move(hook); }

HttpAnswer LoopbackHttpServer::answerFor(const QString& target)
{
    // Called with the mutex held.
    const QString path = target.section(u'?', 0, 0);
    const auto it = routes_.find(path);
    if (it == routes_.end() || it->second.empty())
        return default_;
    std::size_t& n = served_[path];
    const HttpAnswer a = it->second[std::min(n, it->second.size() - 1)];
    ++n;
    return a;
}

void LoopbackHttpServer::onConnection()
{
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        socket->setParent(server_);
        auto buffer = std::make_shared<QByteArray>();
        auto holding = std::make_shared<bool>(false);
        auto release = [this, holding] {
            if (!*holding)
                return;
            *holding = false;
            QMutexLocker lock(&mutex_);
            --held_;
        };
        connect(socket, &QTcpSocket::disconnected, socket, [socket, release] {
            release();
            socket->deleteLater();
        });
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer, holding, release] {
            buffer->append(socket->readAll());
            // One request per connection: the head ends with an empty line (a GET has no body).
            const qsizetype headEnd = buffer->indexOf("\r\n\r\n");
            if (headEnd < 0)
                return;
            const QString line = QString::fromLatin1(buffer->left(buffer->indexOf("\r\n")));
            buffer->clear();
            HttpAnswer a;
            {
                QMutexLocker lock(&mutex_);
                lines_ << line;
                a = answerFor(line.section(u' ', 1, 1));
                if (a.never || a.delayMs > 0 || a.untilReleased) {
                    *holding = true;
                    ++held_;
                }
            }
            QMetaObject::invokeMethod(
                this,
                [this, target = line.section(u' ', 1, 1)] {
                    if (requestHook_)
                        requestHook_(target);
                },
                Qt::QueuedConnection);
            if (a.never)
                return;
            QPointer<QTcpSocket> alive(socket);
            auto send = [alive, a, release] {
                if (!alive)
                    return;
                release();
                sendAnswer(alive, a);
            };
            if (a.untilReleased)
                waiting_.push_back(send);
            else if (a.delayMs > 0)
                QTimer::singleShot(a.delayMs, socket, send);
            else
                send();
        });
    }
}

bool waitForIo(const std::function<bool()>& done, int capMs)
{
    const QDeadlineTimer deadline(capMs);
    while (!done() && !deadline.hasExpired()) {
        // Wakes on any event (socket input above all); the short timer bounds each wait.
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

namespace {

// The hold whose gate the clock asks: one made while another lives takes over, and the older
// one's end must not take the newer one's gate away.
const ClockHoldWhileServing* currentHold = nullptr;

} // namespace

ClockHoldWhileServing::ClockHoldWhileServing(const LoopbackHttpServer& server)
{
    currentHold = this;
    platform::Clock::setManualIoGate([&server] { return platform::HttpGet::running() > server.heldRequests(); });
}

ClockHoldWhileServing::~ClockHoldWhileServing()
{
    if (currentHold != this)
        return;
    currentHold = nullptr;
    platform::Clock::setManualIoGate({});
}

} // namespace testsupport
