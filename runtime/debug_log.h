#pragma once

#include <cstdint>
#include <string>

// The runtime's debug log is the single file "\plon.log.txt" at the top of the
// current drive (natively, of the file system); every message opens it for
// appending and closes it again. Each message is followed by a beep of
// 2000 Hz for 200 ms. [GUI thread]

// Appends the message and a newline, then beeps. 0 when the file cannot be
// opened (nothing written, no beep); otherwise what the beep answered.
int32_t debugLog(const std::string& message);

// Sends the log to another file, so that a test keeps out of the drive's
// root; null restores the log file.
void setDebugLogFile(const char* path);
