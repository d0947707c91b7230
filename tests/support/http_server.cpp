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

namespace testsupport {
namespace {

QByteArray reasonOf(int status)
{
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

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
                if (a.never || a.delayMs > 0) {
                    *holding = true;
                    ++held_;
                }
            }
            if (a.never)
                return;
            auto send = [socket, a, release] {
                release();
                QByteArray reply = "HTTP/1.1 " + QByteArray::number(a.status) + ' ' + reasonOf(a.status) + "\r\n";
                reply += "Content-Type: application/octet-stream\r\nContent-Length: " + QByteArray::number(a.body.size()) + "\r\n";
                reply += "Connection: close\r\n\r\n";
                reply += a.cutAfter >= 0 ? a.body.left(a.cutAfter) : a.body;
                socket->write(reply);
                socket->disconnectFromHost();
            };
            if (a.delayMs > 0)
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

ClockHoldWhileServing::ClockHoldWhileServing(const LoopbackHttpServer& server)
{
    platform::Clock::setManualIoGate([&server] { return platform::HttpGet::running() > server.heldRequests(); });
}

ClockHoldWhileServing::~ClockHoldWhileServing() { platform::Clock::setManualIoGate({}); }

} // namespace testsupport
