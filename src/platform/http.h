#pragma once
// One asynchronous HTTP GET. The caller starts it, then asks whether it has finished and what
// came back; waiting is the caller's business (through the clock), never this class's.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <optional>

class QNetworkReply;

namespace platform {

// Tests: a network of their own. When set, every request (HttpGet and downloadToFile) is answered
// by it instead of going out: status 0 is a failed connection, `whole` false a body cut short.
struct FakeAnswer {
    int status = 0;
    QByteArray body;
    bool whole = true;
};
void setFakeNetwork(std::function<FakeAnswer(const QUrl&)> network);
// The fake network's answer for an address, or nothing when no fake is set.
std::optional<FakeAnswer> fakeAnswer(const QUrl& url);

// True for a valid http or https address with a host.
bool isHttpUrl(const QUrl& url);

class HttpGet : public QObject {
    Q_OBJECT
public:
    explicit HttpGet(QObject* parent = nullptr);
    ~HttpGet() override;

    // Sends the request. False (and nothing sent) when the address is not a valid http or
    // https URL; a request already running is aborted first.
    bool start(const QUrl& url);
    // The longest body taken (DefaultMaxBodyBytes unless set before start): a longer one ends
    // the request as an abort does, without status and body, instead of filling the memory.
    static constexpr qint64 DefaultMaxBodyBytes = 1024 * 1024;
    void setMaxBodyBytes(qint64 bytes) { maxBodyBytes_ = bytes; }
    // True once an answer, a network failure or an abort has ended the request.
    bool finished() const { return finished_; }
    // The answer's HTTP status, 0 when none came (refused connection, abort, not finished).
    int status() const { return status_; }
    // The answer's body, whatever its status; empty until finished.
    QByteArray body() const { return body_; }
    // Stops a running request; it counts as finished without status.
    void abort();
    // Requests of the whole program sent and not yet ended.
    static int running();

signals:
    // Emitted once when the request ends (not for a request that was never started).
    void done();

private:
    void takeReply();
    void end();
    QPointer<QNetworkReply> reply_;
    bool finished_ = false;
    bool running_ = false;
    int status_ = 0;
    QByteArray body_;
    qint64 maxBodyBytes_ = DefaultMaxBodyBytes;
};

} // namespace platform
