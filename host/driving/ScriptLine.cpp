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

std::string ScriptLine::Unescape(std::string_view word) {
    std::string plain;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char next = i + 1 < word.size() ? word[i + 1] : '\0';
        if (word[i] != '\\' || (next != 't' && next != 'n' && next != '\\')) {
            plain += word[i];
            continue;
        }
        plain += next == 't' ? "\t" : next == 'n' ? "\r\n" : "\\";
        ++i;
    }
    return plain;
}
