// talvesk-updateserver: shares a folder on 127.0.0.1 over plain HTTP, so that the updater can be
// tried against the sample update folder the generator writes.
//
//     talvesk-updateserver <folder> [port]
//
// Then start the program with TALVESK_UPDATE_URL=http://127.0.0.1:<port>. Paths are read as
// GBK, as the program sends them; a path with an empty, "." or ".." part is refused.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <cstdio>

namespace {

QByteArray answer(const QDir& root, const QByteArray& target)
{
    const QByteArray path = QByteArray::fromPercentEncoding(target.split('?').front());
    QStringDecoder gbk("GB18030");
    const QString name = gbk.decode(path);
    const QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
    QFile file;
    bool safe = !parts.isEmpty();
    for (const QString& part : parts)
        safe = safe && part != u"." && part != u"..";
    if (safe)
        file.setFileName(root.filePath(parts.join(u'/')));
    if (!safe || !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "404 %s\n", path.constData());
        return "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    }
    const QByteArray body = file.readAll();
    std::fprintf(stderr, "200 %s (%lld bytes)\n", path.constData(), static_cast<long long>(body.size()));
    return "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: talvesk-updateserver <folder> [port]\n");
        return 2;
    }
    const QDir root(args[1]);
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, args.size() == 3 ? args[2].toUShort() : 0)) {
        std::fprintf(stderr, "talvesk-updateserver: cannot listen: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    std::printf("http://127.0.0.1:%u\n", server.serverPort());
    std::fflush(stdout);
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, &root] {
                if (!socket->canReadLine())
                    return;
                const QByteArray line = socket->readLine();
                socket->write(answer(root, line.split(' ').value(1)));
                socket->disconnectFromHost();
            });
        }
    });
    return app.exec();
}
