#pragma once

#include <cstdint>
#include <string>

// The runtime's debug log: one text file, "\plon.log.txt" in the root of the
// current drive (natively the root of the file system), opened for appending
// for each message and closed again. Each message is followed by a beep of
// 2000 Hz for 200 ms. [GUI thread]

// Appends the message and a newline, then beeps. 0 when the file cannot be
// opened (nothing written, no beep); otherwise what the beep answered.
int32_t debugLog(const std::string& message);

// Sends the log to another file, so that a test keeps out of the drive's
// root; null restores the log file.
void setDebugLogFile(const char* path);
