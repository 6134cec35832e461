// Splitting script lines into words.
#include "ScriptLine.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

} // namespace

bool ScriptLine::Split(std::string_view line, std::vector<std::string>& words, std::string& error) {
    std::vector<std::string> found;
    std::size_t at = 0;
    while (true) {
        while (at < line.size() && IsBlank(line[at]))
            ++at;
        if (at == line.size())
            break;
        if (found.empty() && line[at] == '#')
            break;
        std::string word;
        bool quoted = false;
        for (; at < line.size() && (quoted || !IsBlank(line[at])); ++at) {
            if (line[at] == '"')
                quoted = !quoted;
            else
                word += line[at];
        }
        if (quoted) {
            error = "a quote is not closed";
            return false;
        }
        found.push_back(std::move(word));
    }
    words = std::move(found);
    return true;
}
