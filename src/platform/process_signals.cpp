#include "platform/process_signals.h"

#include <csignal>

namespace platform {

void setStartupSignals()
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

} // namespace platform
