// The updater's download against a plain socket read.
//
// DownloadToFile against PlainSocketRead: 100 MB with a Content-Length from a fast loopback
// server (a thread of plain sockets writing from memory), through downloadToFile into a file,
// against a blocking socket loop that reads the same answer and writes it into a file the same
// way, synced to the disk before it counts as stored (goal: within 1.5 x).

#include "platform/download.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QNetworkProxy>
#include <QTemporaryDir>
#include <QUrl>

#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr qint64 BodyBytes = 100 * 1024 * 1024;

// Serves every connection the same 200 answer of BodyBytes, one request per connection.
class FastServer {
public:
    FastServer() : body_(1 << 20, 'x')
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listener_, 8);
        socklen_t len = sizeof addr;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { run(); });
    }
    ~FastServer()
    {
        stop_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        thread_.join();
    }
    quint16 port() const { return port_; }

private:
    void run()
    {
        while (!stop_) {
            const int c = ::accept(listener_, nullptr, nullptr);
            if (c < 0)
                return;
            char head[4096];
            QByteArray request;
            while (!request.contains("\r\n\r\n")) {
                const ssize_t n = ::recv(c, head, sizeof head, 0);
                if (n <= 0)
                    break;
                request.append(head, n);
            }
            const QByteArray reply = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                                     QByteArray::number(BodyBytes) + "\r\nConnection: close\r\n\r\n";
            bool ok = ::send(c, reply.constData(), reply.size(), MSG_NOSIGNAL) == reply.size();
            for (qint64 sent = 0; ok && sent < BodyBytes; sent += body_.size())
                ok = ::send(c, body_.constData(), body_.size(), MSG_NOSIGNAL) == body_.size();
            ::close(c);
        }
    }

    QByteArray body_;
    int listener_ = -1;
    quint16 port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void DownloadToFile(benchmark::State& state)
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    FastServer server;
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("big.mxy"));
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/big.rar").arg(server.port()));
    for (auto _ : state) {
        if (!platform::downloadToFile(url, target, BodyBytes) || QFile(target).size() != BodyBytes) {
            state.SkipWithError("the download failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * BodyBytes);
}
BENCHMARK(DownloadToFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

void PlainSocketRead(benchmark::State& state)
{
    FastServer server;
    QTemporaryDir dir;
    const QByteArray target = QFile::encodeName(dir.filePath(QStringLiteral("big.mxy")));
    std::vector<char> buffer(256 * 1024);
    for (auto _ : state) {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(server.port());
        ::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        const QByteArray request = "GET /big.rar HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        ::send(s, request.constData(), request.size(), MSG_NOSIGNAL);
        QFile out(QString::fromLocal8Bit(target));
        out.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        qint64 total = 0;
        bool head = true;
        for (ssize_t n; (n = ::recv(s, buffer.data(), buffer.size(), 0)) > 0;) {
            const char* data = buffer.data();
            if (head) {
                // The head is short and comes first; the body follows it in the same reads.
                const QByteArray chunk(data, n);
                const qsizetype end = chunk.indexOf("\r\n\r\n");
                if (end < 0)
                    continue;
                head = false;
                data += end + 4;
                n -= end + 4;
            }
            out.write(data, n);
            total += n;
        }
        ::close(s);
        // Made durable before it counts as stored, as the download's own save does.
        ::fdatasync(out.handle());
        out.close();
        if (total != BodyBytes) {
            state.SkipWithError("the plain read came short");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * BodyBytes);
}
BENCHMARK(PlainSocketRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

} // namespace
