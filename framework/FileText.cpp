// Reading whole text files without exceptions, and quoting their lines.
#include "FileText.h"

#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <new>
#include <stdexcept>

namespace FileText {

namespace {

ReadResult Kind(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Unreadable;
    if (S_ISDIR(status.st_mode))
        return ReadResult::Directory;
    if (!S_ISREG(status.st_mode))
        return ReadResult::NotAFile; // opening a pipe would wait for a writer, a device may never end
    return ReadResult::Read;
}

} // namespace

ReadResult Read(const std::string& path, std::string& text) {
    text.clear();
    if (const ReadResult kind = Kind(path); kind != ReadResult::Read)
        return kind;
    try {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return ReadResult::Unreadable;
        // The stream's own reads: a failing read sets badbit here where the buffer itself would throw.
        char chunk[1 << 16];
        while (file.read(chunk, sizeof chunk) || file.gcount() > 0)
            text.append(chunk, static_cast<std::size_t>(file.gcount()));
        if (file.bad()) {
            text.clear();
            return ReadResult::Unreadable;
        }
        return ReadResult::Read;
    } catch (const std::bad_alloc&) {
        text.clear();
        text.shrink_to_fit();
        return ReadResult::TooLarge;
    } catch (const std::length_error&) {
        text.clear();
        text.shrink_to_fit();
        return ReadResult::TooLarge;
    } catch (const std::exception&) {
        text.clear();
        return ReadResult::Unreadable;
    }
}

const char* Reason(ReadResult result) {
    switch (result) {
    case ReadResult::Read:
        return "it was read";
    case ReadResult::Missing:
        return "no such file";
    case ReadResult::Directory:
        return "it is a directory";
    case ReadResult::NotAFile:
        return "it is not a regular file";
    case ReadResult::Unreadable:
        return "it cannot be read";
    case ReadResult::TooLarge:
        return "it is too large";
    }
    return "it cannot be read";
}

std::string Quote(std::string_view text) {
    if (text.size() <= kQuoteLength)
        return std::string(text);
    return std::string(text.substr(0, kQuoteLength)) + "...";
}

} // namespace FileText
