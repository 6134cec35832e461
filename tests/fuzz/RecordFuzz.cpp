// Runs the command-line tool on arbitrary record files, with every output, and checks its contract:
// exit 0 with a whole report (warnings only about unread keys), or exit 2 with one line and no output.
//
// Input: the record file's bytes, then optionally a line "%%" followed by --set arguments, one a line.
#include "tools/ZentharoTool.h"

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

const std::string& RecordPath() {
    static const std::string path = [] {
        const char* directory = std::getenv("TMPDIR");
        std::string file = std::string(directory && *directory ? directory : "/tmp") + "/RecordFuzz-" +
                           std::to_string(::getpid()) + ".txt";
        std::atexit([] { std::remove(RecordPath().c_str()); });
        return file;
    }();
    return path;
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

bool OnlyUnreadKeyWarnings(const std::string& err) {
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);) {
        const std::string prefix = RecordPath() + ":";
        const std::string suffix = "' is not read";
        if (line.compare(0, prefix.size(), prefix) != 0 || line.size() < suffix.size() ||
            line.compare(line.size() - suffix.size(), suffix.size(), suffix) != 0 ||
            line.find(": key '") == std::string::npos)
            return false;
    }
    return err.empty() || err.back() == '\n';
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t separator = input.find("\n%%\n");
    const std::string_view record = input.substr(0, separator);
    std::vector<std::string> edits;
    if (separator != std::string_view::npos) {
        std::istringstream lines(std::string(input.substr(separator + 4)));
        for (std::string line; std::getline(lines, line) && edits.size() < 8;)
            edits.insert(edits.end(), {"--set", line});
    }
    std::ofstream(RecordPath(), std::ios::binary | std::ios::trunc)
        .write(record.data(), static_cast<std::streamsize>(record.size()));

    for (const char* format : {"", "--csv", "--json"}) {
        std::vector<std::string> arguments = {RecordPath()};
        arguments.insert(arguments.end(), edits.begin(), edits.end());
        if (*format)
            arguments.emplace_back(format);
        std::ostringstream out, err;
        const int exitCode = RunZentharoTool(arguments, out, err);
        if (exitCode == 2) {
            Check(out.str().empty());
            Check(Lines(err.str()) == 1 && err.str().back() == '\n');
            return 0; // the same input is bad for every output
        }
        Check(exitCode == 0);
        Check(OnlyUnreadKeyWarnings(err.str()));
        const std::string report = out.str();
        if (std::string_view(format) == "--json")
            Check(!nlohmann::json::parse(report, nullptr, false).is_discarded());
        else
            Check(Lines(report) == (*format ? 21u : 23u)); // the header and 20 turns; a table has the title
    }
    return 0;
}
