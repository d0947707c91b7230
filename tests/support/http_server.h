#pragma once
// A small HTTP server on 127.0.0.1 for the tests: it records the request line of every request
// and answers each with a given status and body, or never answers at all.

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <functional>

namespace testsupport {

class LoopbackHttpServer : public QObject {
public:
    // Listens on a free port of 127.0.0.1; answers 200 with an empty body until told otherwise.
    // Proxies are switched off for the whole test program: loopback traffic must reach us.
    LoopbackHttpServer();

    quint16 port() const { return server_.serverPort(); }
    // "http://127.0.0.1:<port>"
    QString baseUrl() const;

    void answer(int status, const QByteArray& body);
    // Requests are read and recorded, but no answer is ever sent.
    void neverAnswer() { silent_ = true; }

    // The request lines received so far ("GET /path?query HTTP/1.1"), in order.
    const QStringList& requestLines() const { return lines_; }
    // The request targets ("/path?query") of the same requests.
    QStringList targets() const;

private:
    void onConnection();

    QTcpServer server_;
    QStringList lines_;
    int status_ = 200;
    QByteArray body_;
    bool silent_ = false;
};

// Processes events until done() is true or capMs of real time have passed, without moving the
// program's clock: for network input and output that the test cannot drive itself.
bool waitForIo(const std::function<bool()>& done, int capMs = 10000);

} // namespace testsupport
