#pragma once
// Downloads to a file, and the start of another program.

#include <QString>
#include <QUrl>
#include <functional>

namespace platform {

// Stores what an http or https address serves in the file `target`, returning once the transfer
// has ended. The transfer runs on a thread of its own; meanwhile the caller's windows go on
// being drawn and answering the window manager, while the candidate's input and the program's
// timers wait: no click, key or tick is handled inside the call. A close from the window system
// is handled (its window's unload runs, and a question it asks takes its answer), so a caller
// looks again at its window when the call returns. Redirects are followed only where they are no
// less safe, certificates are verified. The body goes into a temporary file beside the target,
// which replaces the target only when a 200 answer came whole and as stored (no content coding
// is asked for or taken): its length announced as one plain decimal number and met exactly, or
// an HTTP/2 stream that ended normally; a body that ends only when the server closes the
// connection, and a chunked one, may have been cut and fail. The transfer also fails when its
// body grows past `maxBytes`, when it receives no data for the idle time-out, when after the
// grace time its average rate since the request falls below the minimum rate, when `accept` (if
// given) refuses the body's first bytes (DownloadHeadBytes of them, all of a shorter body), and
// when it has taken `maxMs` milliseconds (if above 0). A failed transfer removes its temporary
// and leaves the target as it was. True when the target now holds the body. The target's folder
// must exist.
constexpr int DownloadHeadBytes = 64 * 1024;
bool downloadToFile(const QUrl& url, const QString& target, qint64 maxBytes,
                    const std::function<bool(const QByteArray& head)>& accept = {}, qint64 maxMs = 0);

// The idle time-out of a download in milliseconds: the environment variable
// TALVESK_DOWNLOAD_IDLE_MS, 30000 when unset, unless a test has set its own.
int downloadIdleTimeoutMs();
// Tests: an idle time-out of their own (0: back to the default).
void setDownloadIdleTimeoutMs(int ms);

// The least average rate of a download in bytes a second, judged once the grace time in
// milliseconds has passed since the request: the environment variables
// TALVESK_DOWNLOAD_MIN_RATE (16384 when unset) and TALVESK_DOWNLOAD_GRACE_MS (10000 when
// unset), unless a test has set its own.
struct DownloadRate {
    int graceMs = 0;
    int minBytesPerSecond = 0;
};
DownloadRate downloadMinimumRate();
// Tests: a grace time and a minimum rate of their own (0, 0: back to the defaults).
void setDownloadMinimumRate(int graceMs, int minBytesPerSecond);

// Starts the program file at `path` without arguments and without waiting for it. False when
// it could not be started (a missing file above all).
bool startProgram(const QString& path);
// Tests: a starter of their own in place of the operating system's (empty: the real one).
void setProgramStarter(std::function<bool(const QString& path)> starter);

} // namespace platform
