#pragma once

#include <cstdint>
#include <string>

#include "runtime_platform.h"

// Paths beside the plug-in library and the small string family that goes
// with them. Everything the runtime reads or writes on disk is found beside
// the library, never relative to the host's working folder.
//
// A delimiter is a backslash or a slash; both count everywhere. None of these
// functions changes its arguments or fails. [any thread]

// The folder of the library file that hInstance names, ending in its
// delimiter; empty for a file name with no folder part.
std::string moduleFolder();

// Joins the library's folder and the name, so that a name given with a
// leading delimiter does not double it. Purely textual: the path is not
// checked on disk and '.' or '..' parts stay as they are.
std::string resolveModuleRelativePath(const std::string& name);

// The same rule for a given library file name.
std::string resolveModuleRelativePath(const std::string& name, const std::string& libraryFile);

// Equal ignoring ASCII letter case (as _stricmp in the C locale).
bool equalsIgnoreCase(const std::string& a, const std::string& b);
// Equal byte for byte up to the first zero byte (as strcmp).
bool equals(const std::string& a, const std::string& b);

// Note the order: the suffix or prefix comes first, the text second.
bool endsWith(const std::string& suffix, const std::string& text);
bool startsWith(const std::string& prefix, const std::string& text);

bool endsWithDelimiter(const std::string& text);
bool startsWithDelimiter(const std::string& text);

// The text itself when it already has the delimiter, else with a backslash
// added (so an empty text gives a single backslash).
std::string addTrailingDelimiter(const std::string& text);
std::string addLeadingDelimiter(const std::string& text);

// Drops one delimiter from the front of the text, if it starts with one.
std::string dropLeadingDelimiter(const std::string& text);

// Index of the last delimiter, -1 when there is none.
int32_t lastDelimiterIndex(const std::string& text);

// Up to and including the last delimiter; empty when there is none.
std::string folderOfPath(const std::string& path);
// The part behind the last delimiter, or the whole path if it has none.
std::string fileNameOfPath(const std::string& path);
// The tail starting at the final '.', dot included, even where that dot sits
// in a folder name; empty for a path without any '.'.
std::string extensionOfPath(const std::string& path);
