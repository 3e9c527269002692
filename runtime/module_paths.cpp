#include "module_paths.h"

#include <cstring>

#include "module_handle.h"

namespace {

bool isDelimiter(char c)
{
    return c == '\\' || c == '/';
}

char foldAsciiCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string moduleFolder()
{
    return folderOfPath(moduleFileName(hInstance));
}

std::string resolveModuleRelativePath(const std::string& name)
{
    return resolveModuleRelativePath(name, moduleFileName(hInstance));
}

std::string resolveModuleRelativePath(const std::string& name, const std::string& libraryFile)
{
    return folderOfPath(libraryFile) + dropLeadingDelimiter(name);
}

bool equalsIgnoreCase(const std::string& a, const std::string& b)
{
    const char* x = a.c_str();
    const char* y = b.c_str();
    for (; *x != '\0' && foldAsciiCase(*x) == foldAsciiCase(*y); ++x, ++y) {}
    return foldAsciiCase(*x) == foldAsciiCase(*y);
}

bool equals(const std::string& a, const std::string& b)
{
    return std::strcmp(a.c_str(), b.c_str()) == 0;
}

bool endsWith(const std::string& suffix, const std::string& text)
{
    return suffix.size() <= text.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool startsWith(const std::string& prefix, const std::string& text)
{
    return prefix.size() <= text.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWithDelimiter(const std::string& text)
{
    return !text.empty() && isDelimiter(text.back());
}

bool startsWithDelimiter(const std::string& text)
{
    return !text.empty() && isDelimiter(text.front());
}

std::string addTrailingDelimiter(const std::string& text)
{
    return endsWithDelimiter(text) ? text : text + '\\';
}

std::string addLeadingDelimiter(const std::string& text)
{
    return startsWithDelimiter(text) ? text : '\\' + text;
}

std::string dropLeadingDelimiter(const std::string& text)
{
    return startsWithDelimiter(text) ? text.substr(1) : text;
}

int32_t lastDelimiterIndex(const std::string& text)
{
    const size_t index = text.find_last_of("\\/");
    return index == std::string::npos ? -1 : static_cast<int32_t>(index);
}

std::string folderOfPath(const std::string& path)
{
    return path.substr(0, static_cast<size_t>(lastDelimiterIndex(path) + 1));
}

std::string fileNameOfPath(const std::string& path)
{
    return path.substr(static_cast<size_t>(lastDelimiterIndex(path) + 1));
}

std::string extensionOfPath(const std::string& path)
{
    const size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}
