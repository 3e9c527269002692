#include "host_text.h"

#include <cstring>

void copyHostText(char* text, const char* source, std::size_t maxChars)
{
    if (!text)
        return;
    std::size_t i = 0;
    for (; source && source[i] != '\0' && i < maxChars; ++i)
        text[i] = source[i];
    std::memset(text + i, 0, maxChars - i + 1);
}

void appendHostText(char* text, const char* source, std::size_t maxChars)
{
    if (!text)
        return;
    std::size_t length = ::strnlen(text, maxChars);
    for (std::size_t i = 0; source && source[i] != '\0' && length < maxChars; ++i)
        text[length++] = source[i];
    text[length] = '\0';
    text[maxChars] = '\0';
}
