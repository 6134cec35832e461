// One line of a host script split into words: blanks separate words, double quotes keep blanks in
// one ("Big Game"), and a line whose first word starts with '#' is a comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class ScriptLine {
public:
    // A blank or comment line gives no words. An unclosed quote is an error.
    static bool Split(std::string_view line, std::vector<std::string>& words, std::string& error);
    // A word with \t, \n and \\ standing for a tab, a line break (CR LF, as the clipboard keeps it)
    // and a backslash; any other backslash stays as it is.
    static std::string Unescape(std::string_view word);
};
