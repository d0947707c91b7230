#pragma once
// The shared services every window may call: the error report and the run log, the HTTP fetch,
// and the writer of named values (the registry's replacement).

#include "platform/http.h"

#include <QString>
#include <QUrl>
#include <QVariant>
#include <cstdint>
#include <functional>

// Run-time error numbers the reports carry, with their usual texts.
namespace runerr {
inline constexpr std::int32_t InvalidCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t FileNotFound = 53;
inline constexpr std::int32_t PathFileAccess = 75;
inline constexpr std::int32_t PathNotFound = 76;
inline constexpr std::int32_t InvalidPicture = 481;
// "File not found" for 53 and so on; "Application-defined or object-defined error" otherwise.
QString text(std::int32_t number);
} // namespace runerr

// The answer of getHtmlStr when none came in time (or no good one came at all).
inline const QString HttpTimeoutText = QStringLiteral("error-timeout，网络状况不好，请重试！");

// HTTP GET of `url`, waiting at most `timeoutSeconds` whole-second boundaries of the clock
// (so between timeoutSeconds and timeoutSeconds + 1 seconds) while events go on being
// processed. Returns the body of a 2xx answer as GBK text without leading and trailing spaces,
// otherwise HttpTimeoutText. When `abandoned` turns true meanwhile (the window that asked has
// gone), the request is dropped and HttpTimeoutText returned at once. A body longer than
// `maxBytes` is dropped as it grows past it, and the answer is HttpTimeoutText.
QString getHtmlStr(const QString& url, int timeoutSeconds, const std::function<bool()>& abandoned = {},
                   qint64 maxBytes = platform::HttpGet::DefaultMaxBodyBytes);

// Appends one entry to the run log at `path`: an empty line, the time "YYYY-MM-DD HH:MM:SS" and
// the text without leading and trailing spaces, in GBK with CR LF line ends. With an empty path,
// or when the file cannot be written, nothing happens.
void WriteRunLog(const QString& path, const QString& text);

// Sends an error report to the report endpoint (when one is set) and logs it to RunLogPath.
// Never blocks: the request goes out in the background, one at a time, and is given up after
// about a second; the log entry is written at once.
void ReportError(const QString& tag, std::int32_t number, const QString& text, const QString& extra);

// The reporting handler's one line: stores the error triple in the session (ErrProc, ErrNumber,
// ErrText) and reports it with an empty extra text.
void reportFailure(const QString& tag, std::int32_t number, const QString& text);
// The same with the usual text of the error number.
void reportFailure(const QString& tag, std::int32_t number);

// The report endpoint's address (scheme, host, port): the environment variable
// TALVESK_REPORT_URL, empty when unset (reports then go to the run log only).
QString errorReportEndpoint();
// The report request for an endpoint: endpoint & "/up/error/submit.asp?pronm=...&pver=...
// &osver=...&errsub=...&errno=...&errdescript=..." with each value percent-encoded as UTF-8.
QUrl errorReportUrl(const QString& endpoint, const QString& tag, std::int32_t number, const QString& description);
// Reports sent or waiting to be sent (the background requests are bounded).
int pendingErrorReports();

// The writer of named values. Roots are numbered as the registry's (the current user's is
// &H80000001); the store knows only that one.
inline constexpr std::int32_t CurrentUserRoot = static_cast<std::int32_t>(0x80000001u);
namespace regtype {
inline constexpr int String = 1;
inline constexpr int ExpandString = 2;
inline constexpr int Binary = 3;
inline constexpr int DoubleWord = 4;
} // namespace regtype

// Writes one value under `keyPath` ("Software\\mivo"), creating the key path in full. Types:
// 1 and 2 store the text's whole GBK form and set byteCount to its length; 4 stores `data` as a
// 32-bit little-endian integer (byteCount = 4); 3 stores the first byteCount (0 to 4) bytes of
// it; 4 and 3 turn `data` into that integer. Any other type creates the key and writes nothing.
// Returns 0 on success, otherwise an error status (the only root is the current user's).
std::int32_t SetRegValue(std::int32_t root, const QString& keyPath, const QString& valueName, int type,
                         QVariant& data, std::int32_t& byteCount);
