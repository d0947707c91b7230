#include "startup/error_report.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/http.h"
#include "platform/value_store.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <optional>

using platform::Clock;

namespace runerr {

QString text(std::int32_t number)
{
    switch (number) {
    case InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case Overflow: return QStringLiteral("Overflow");
    case SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case TypeMismatch: return QStringLiteral("Type mismatch");
    case FileNotFound: return QStringLiteral("File not found");
    case PathFileAccess: return QStringLiteral("Path/File access error");
    case PathNotFound: return QStringLiteral("Path not found");
    case InvalidPicture: return QStringLiteral("Invalid picture");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

} // namespace runerr

namespace {

// The first instant at which more than `seconds` whole-second boundaries of the clock lie
// between `startMs` and now: the fetch's time-out.
std::int64_t timeoutInstant(std::int64_t startMs, int seconds)
{
    return (startMs / 1000 + seconds + 1) * 1000;
}

constexpr int ReportTimeoutSeconds = 1;
// Reports waiting behind the one in flight; past this a report is only logged, so that a failure
// repeated in a loop cannot pile up requests without end.
constexpr std::size_t MaxQueuedReports = 16;

// Sends the error reports in the background, one at a time, each given up after its time-out.
// A report's own request reports nothing when it fails: that is what keeps a broken endpoint
// from producing reports about reports.
class ReportSender : public QObject {
public:
    explicit ReportSender(QObject* parent) : QObject(parent)
    {
        timeout_.onTimer = [this] { giveUp(); };
    }

    void send(const QUrl& url)
    {
        if (queue_.size() >= MaxQueuedReports)
            return;
        queue_.push_back(url);
        startNext();
    }

    int pending() const { return static_cast<int>(queue_.size()) + (current_ ? 1 : 0); }

private:
    void startNext()
    {
        while (!current_ && !queue_.empty()) {
            const QUrl url = queue_.front();
            queue_.pop_front();
            auto* get = new platform::HttpGet(this);
            if (!get->start(url)) {
                get->deleteLater();
                continue;
            }
            current_ = get;
            connect(get, &platform::HttpGet::done, this, [this, get] {
                if (current_ == get)
                    finish();
            });
            const std::int64_t now = Clock::nowMs();
            timeout_.setEnabled(false);
            timeout_.setInterval(static_cast<int>(timeoutInstant(now, ReportTimeoutSeconds) - now));
            timeout_.setEnabled(true);
        }
    }

    void finish()
    {
        timeout_.setEnabled(false);
        if (current_) {
            current_->disconnect(this);
            // We may be inside the request's own signal: it goes once that has returned.
            current_->deleteLater();
            current_ = nullptr;
        }
        startNext();
    }

    void giveUp()
    {
        if (current_) {
            current_->disconnect(this);
            current_->abort();
        }
        finish();
    }

    std::deque<QUrl> queue_;
    QPointer<platform::HttpGet> current_;
    platform::Timer timeout_;
};

ReportSender* sender()
{
    static QPointer<ReportSender> s;
    if (!s && QCoreApplication::instance())
        s = new ReportSender(QCoreApplication::instance());
    return s;
}

// The numeric value of a variant as a 32-bit integer, halves rounded to even; nothing when it is
// not a number or does not fit.
std::optional<std::int32_t> toInt32(const QVariant& data)
{
    bool ok = false;
    const double v = data.typeId() == QMetaType::QString ? codes::trimSpaces(data.toString()).toDouble(&ok) : data.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const double r = std::nearbyint(v);
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

QByteArray littleEndian(std::int32_t v, int count)
{
    QByteArray bytes;
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < count; ++i)
        bytes.append(static_cast<char>((u >> (8 * i)) & 0xFF));
    return bytes;
}

// Status codes of the value writer, numbered as the registry's own.
constexpr std::int32_t StatusOk = 0;
constexpr std::int32_t StatusAccessDenied = 5;
constexpr std::int32_t StatusInvalidHandle = 6;
constexpr std::int32_t StatusInvalidData = 13;

} // namespace

QString getHtmlStr(const QString& url, int timeoutSeconds, const std::function<bool()>& abandoned, qint64 maxBytes)
{
    platform::HttpGet get;
    get.setMaxBodyBytes(maxBytes);
    if (!get.start(QUrl(url))) {
        // Nothing was sent, so there is nothing to wait for.
        reportFailure(QStringLiteral("getHtmlStr"), runerr::InvalidCall);
        return HttpTimeoutText;
    }
    const std::int64_t start = Clock::nowMs();
    const auto gone = [&] { return abandoned && abandoned(); };
    Clock::waitFor(timeoutInstant(start, timeoutSeconds) - start, [&] { return get.finished() || gone(); });
    if (!get.finished() || gone() || get.status() < 200 || get.status() > 299)
        return HttpTimeoutText;
    return codes::trimSpaces(platform::fromGbk(get.body()));
}

void WriteRunLog(const QString& path, const QString& text)
{
    if (path.isEmpty())
        return;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    platform::appendText(path, QStringLiteral("\r\n") + stamp + QStringLiteral("\r\n") + codes::trimSpaces(text) + QStringLiteral("\r\n"));
}

QString errorReportEndpoint() { return codes::trimSpaces(qEnvironmentVariable("TALVESK_REPORT_URL")); }

QUrl errorReportUrl(const QString& endpoint, const QString& tag, std::int32_t number, const QString& description)
{
    QByteArray address = endpoint.toUtf8();
    while (address.endsWith('/'))
        address.chop(1);
    address += "/up/error/submit.asp";
    const auto& s = S();
    const std::pair<const char*, QString> fields[] = {
        {"pronm", s.ModuleName}, {"pver", s.BankVersion},      {"osver", s.OsVersion},
        {"errsub", tag},         {"errno", QString::number(number)}, {"errdescript", description},
    };
    char separator = '?';
    for (const auto& [key, value] : fields) {
        address += separator;
        address += key;
        address += '=';
        address += QUrl::toPercentEncoding(value);
        separator = '&';
    }
    return QUrl::fromEncoded(address, QUrl::StrictMode);
}

void ReportError(const QString& tag, std::int32_t number, const QString& text, const QString& extra)
{
    const QString endpoint = errorReportEndpoint();
    if (!endpoint.isEmpty()) {
        if (ReportSender* s = sender())
            s->send(errorReportUrl(endpoint, tag, number, text + extra));
    }
    const auto& st = S();
    WriteRunLog(st.RunLogPath, QStringLiteral("软件运行提示:") + tag + text + QStringLiteral("\r\n系统版本:") + st.OsVersion +
                                   QStringLiteral(",软件版本:") + st.BankVersion + u',' + QString::number(number) +
                                   QStringLiteral("\r\n"));
}

void reportFailure(const QString& tag, std::int32_t number, const QString& text)
{
    auto& s = S();
    s.ErrProc = tag;
    s.ErrNumber = number;
    s.ErrText = text;
    ReportError(s.ErrProc, s.ErrNumber, s.ErrText, QString());
}

void reportFailure(const QString& tag, std::int32_t number) { reportFailure(tag, number, runerr::text(number)); }

int pendingErrorReports()
{
    const ReportSender* s = sender();
    return s ? s->pending() : 0;
}

std::int32_t SetRegValue(std::int32_t root, const QString& keyPath, const QString& valueName, int type,
                         QVariant& data, std::int32_t& byteCount)
{
    // The store lives in the user's own configuration folder: the current user's root is the
    // only one there is.
    if (root != CurrentUserRoot)
        return StatusInvalidHandle;
    if (!platform::ValueStore::createKey(keyPath))
        return StatusAccessDenied;
    QByteArray bytes;
    switch (type) {
    case regtype::String:
    case regtype::ExpandString:
        // The whole text: a count of characters would cut the tail off double-byte text.
        bytes = platform::toGbk(data.toString());
        byteCount = static_cast<std::int32_t>(bytes.size());
        break;
    case regtype::DoubleWord:
    case regtype::Binary: {
        const auto v = toInt32(data);
        if (!v)
            return StatusInvalidData;
        if (type == regtype::DoubleWord)
            byteCount = 4;
        // A binary value holds at most the 4 bytes of the integer.
        bytes = littleEndian(*v, std::clamp(byteCount, 0, 4));
        data = *v;
        break;
    }
    default:
        return StatusOk;
    }
    return platform::ValueStore::setValue(keyPath, valueName, bytes) ? StatusOk : StatusAccessDenied;
}
