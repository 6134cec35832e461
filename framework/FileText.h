// Text files as the tool and the demo host read them: whole, as bytes, and only when the path names a
// readable regular file; and the short quotes of their lines that messages show.
#pragma once

#include <string>
#include <string_view>

namespace FileText {

enum class ReadResult {
    Read,
    Missing,    // nothing at the path
    Directory,  // a directory, not a file
    NotAFile,   // a device, a pipe, a socket: nothing that can be read whole
    Unreadable, // exists, but opening or reading it failed
    TooLarge,   // more than memory holds
};

// Reads the whole file at path into text. Never throws; on failure text is left empty.
ReadResult Read(const std::string& path, std::string& text);

// Why a read failed, as the end of a sentence: "no such file", "it is a directory", ...
const char* Reason(ReadResult result);

// At most the first kQuoteLength bytes of text, with "..." after them when text is longer: a message
// that quotes a line of a file stays one short line, however long the line.
constexpr std::size_t kQuoteLength = 80;
std::string Quote(std::string_view text);

} // namespace FileText
