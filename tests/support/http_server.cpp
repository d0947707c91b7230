#include "support/http_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

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
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, &LoopbackHttpServer::onConnection);
}

QString LoopbackHttpServer::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }

void LoopbackHttpServer::answer(int status, const QByteArray& body)
{
    status_ = status;
    body_ = body;
    silent_ = false;
}

QStringList LoopbackHttpServer::targets() const
{
    QStringList out;
    for (const QString& line : lines_)
        out << line.section(u' ', 1, 1);
    return out;
}

void LoopbackHttpServer::onConnection()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            // One request per connection: the head ends with an empty line (a GET has no body).
            const qsizetype headEnd = buffer->indexOf("\r\n\r\n");
            if (headEnd < 0)
                return;
            lines_ << QString::fromLatin1(buffer->left(buffer->indexOf("\r\n")));
            buffer->clear();
            if (silent_)
                return;
            QByteArray reply = "HTTP/1.1 " + QByteArray::number(status_) + ' ' + reasonOf(status_) + "\r\n";
            reply += "Content-Type: text/plain\r\nContent-Length: " + QByteArray::number(body_.size()) + "\r\n";
            reply += "Connection: close\r\n\r\n" + body_;
            socket->write(reply);
            socket->disconnectFromHost();
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

} // namespace testsupport
