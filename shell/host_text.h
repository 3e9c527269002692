#pragma once

// Bounded copies into buffers the host provides. Every writer of host text
// goes through these, so no text runs past the buffer the host gave. Each
// works on its arguments alone. [any thread]
#include <cstddef>

// Copies at most maxChars characters of source into text, fills the rest of
// the first maxChars bytes with zeros and writes a zero byte at maxChars: the
// buffer must hold maxChars + 1 bytes. Nothing happens for a null text.
void copyHostText(char* text, const char* source, std::size_t maxChars);

// Appends source so that text holds at most maxChars characters, then writes a
// zero byte at maxChars. Nothing happens for a null text.
void appendHostText(char* text, const char* source, std::size_t maxChars);
