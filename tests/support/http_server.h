#pragma once
// A small HTTP server on 127.0.0.1 for the tests. It records the request line of every request
// and answers by a route table: a request path gets the answers set for it, in turn (the last
// one repeats); any other path gets the default answer (200 with an empty body unless told
// otherwise). An answer may be held back for a while, cut off after some bytes of its body, or
// never sent at all.
//
// The server runs on a thread of its own, so it also answers while the program's thread is
// blocked in a download.

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QTcpServer;

namespace testsupport {

struct HttpAnswer {
    // How the end of the body is told: by a Content-Length, by closing the connection (no
    // length, not chunked), or by chunked transfer coding.
    enum class Framing { Length, Close, Chunked };

    int status = 200;
    QByteArray body;
    // Real milliseconds before the answer goes out.
    int delayMs = 0;
    // The connection is closed after this many bytes of the body (the headers still announce
    // the whole length, a chunk its whole size); -1 sends the whole body.
    int cutAfter = -1;
    // No answer at all: the request is held until the client gives up.
    bool never = false;
    // The answer is held until the test calls releaseHeld().
    bool untilReleased = false;
    Framing framing = Framing::Length;
    // The body goes out `trickleBytes` bytes at a time, one chunk every `trickleMs` real
    // milliseconds; 0 sends it at once.
    int trickleMs = 0;
    int trickleBytes = 1;
    // The body is sent again and again until the client goes (a Content-Length, if any, says
    // 1 TB).
    bool endless = false;
    // Header lines of its own, each ended by CR LF.
    QByteArray extraHeaders = {};

    static HttpAnswer stall()
    {
        HttpAnswer a;
        a.never = true;
        return a;
    }
    static HttpAnswer heldUntilReleased(int status, const QByteArray& body)
    {
        HttpAnswer a{status, body};
        a.untilReleased = true;
        return a;
    }
    static HttpAnswer framed(Framing framing, const QByteArray& body, int cutAfter = -1)
    {
        HttpAnswer a{200, body};
        a.framing = framing;
        a.cutAfter = cutAfter;
        return a;
    }
    static HttpAnswer trickle(const QByteArray& body, int everyMs, int bytes = 1)
    {
        HttpAnswer a{200, body};
        a.trickleMs = everyMs;
        a.trickleBytes = bytes;
        return a;
    }
    static HttpAnswer endlessBody(Framing framing, const QByteArray& chunk = QByteArray(64 * 1024, 'e'))
    {
        HttpAnswer a{200, chunk};
        a.framing = framing;
        a.endless = true;
        return a;
    }
};

class LoopbackHttpServer : public QObject {
public:
    // Listens on a free port of 127.0.0.1. Proxies are switched off for the whole test program:
    // loopback traffic must reach us.
    LoopbackHttpServer();
    ~LoopbackHttpServer() override;

    quint16 port() const { return port_; }
    // "http://127.0.0.1:<port>"
    QString baseUrl() const;

    // The default answer, for every path without a route.
    void answer(int status, const QByteArray& body);
    // Requests are read and recorded, but no answer is ever sent (default answer).
    void neverAnswer();
    // The answers for one path ("/up/x.rar", without query), given in turn; the last repeats.
    void route(const QString& path, std::vector<HttpAnswer> answers);
    void route(const QString& path, int status, const QByteArray& body) { route(path, {HttpAnswer{status, body}}); }
    void clearRoutes();

    // The request lines received so far ("GET /path?query HTTP/1.1"), in order.
    QStringList requestLines() const;
    // The request targets ("/path?query") of the same requests.
    QStringList targets() const;
    // Requests received that are held without an answer (stalled, still delayed, or not yet
    // released).
    int heldRequests() const;
    // Sends the answers held until released of the requests received so far.
    void releaseHeld();
    // Called with each request's target ("/path?query") on the thread that made the server,
    // from its event queue: a test acts there while the program waits for the answer.
    void onRequest(std::function<void(const QString& target)> hook);

private:
    HttpAnswer answerFor(const QString& target);
    void onConnection();

    QThread thread_;
    QTcpServer* server_ = nullptr; // lives on thread_
    quint16 port_ = 0;
    mutable QMutex mutex_;
    QStringList lines_;
    HttpAnswer default_;
    std::map<QString, std::vector<HttpAnswer>> routes_;
    std::map<QString, std::size_t> served_;
    int held_ = 0;
    std::vector<std::function<void()>> waiting_; // on thread_: the sends held until released
    std::function<void(const QString&)> requestHook_;
};

// Processes events until done() is true or capMs of real time have passed, without moving the
// program's clock: for network input and output that the test cannot drive itself.
bool waitForIo(const std::function<bool()>& done, int capMs = 10000);

// While alive, a wait on the manual clock does not move the clock as long as an HTTP request of
// the program is on its way to or from this server; it lets real time pass instead. So a time-out
// on the clock is reached only by requests the server holds, however slowly the machine runs.
// One made while another lives takes its place; the older one's end leaves it in place.
class ClockHoldWhileServing {
public:
    explicit ClockHoldWhileServing(const LoopbackHttpServer& server);
    ~ClockHoldWhileServing();
    ClockHoldWhileServing(const ClockHoldWhileServing&) = delete;
    ClockHoldWhileServing& operator=(const ClockHoldWhileServing&) = delete;
};

} // namespace testsupport
