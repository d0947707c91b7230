#pragma once
// The signals of the process, set once at its start.

namespace platform {

// Sets how the process takes the signals that would otherwise end it where a failure is to be
// handled: a write past the file-size limit (`ulimit -f`) raises SIGXFSZ, which ends the program
// and leaves the save's temporary behind; ignored, the write fails with EFBIG instead, which every
// save handles as a full disk (the old file kept, the failure reported).
void setStartupSignals();

} // namespace platform
