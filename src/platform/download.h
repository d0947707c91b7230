#pragma once
// Downloads to a file, and the start of another program.

#include <QString>
#include <QUrl>
#include <functional>

namespace platform {

// Stores what an http or https address serves in the file `target`, blocking the calling thread
// until the transfer has ended (the transfer itself runs on a thread of its own: no event of
// the caller's thread is processed meanwhile). Redirects are followed only where they are no
// less safe, certificates are verified. The body goes into a temporary file beside the target,
// which replaces the target only when a 2xx answer came whole; otherwise the temporary is
// removed and the target stays as it was. A transfer that receives no data for the idle
// time-out fails. True when the target now holds the body. The target's folder must exist.
bool downloadToFile(const QUrl& url, const QString& target);

// The idle time-out of a download in milliseconds: the environment variable
// TALVESK_DOWNLOAD_IDLE_MS, 30000 when unset, unless a test has set its own.
int downloadIdleTimeoutMs();
// Tests: an idle time-out of their own (0: back to the default).
void setDownloadIdleTimeoutMs(int ms);

// Starts the program file at `path` without arguments and without waiting for it. False when
// it could not be started (a missing file above all).
bool startProgram(const QString& path);
// Tests: a starter of their own in place of the operating system's (empty: the real one).
void setProgramStarter(std::function<bool(const QString& path)> starter);

} // namespace platform
