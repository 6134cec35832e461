// Reading the demo host's command line.
#include "HostOptions.h"

namespace {

// Takes the value of an option that needs one, and refuses to take it twice.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& index, std::string& target,
               std::string& error) {
    const std::string& option = arguments[index];
    if (index + 1 >= arguments.size()) {
        error = option + " needs a value";
        return false;
    }
    if (!target.empty()) {
        error = option + " is given twice";
        return false;
    }
    target = arguments[++index];
    if (target.empty()) {
        error = option + " needs a value";
        return false;
    }
    return true;
}

} // namespace

bool HostOptions::Parse(const std::vector<std::string>& arguments, HostOptions& options, std::string& error) {
    HostOptions parsed;
    bool optionsEnded = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (optionsEnded || argument.empty() || argument[0] != '-') {
            parsed.gameFiles.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--module") {
            if (!TakeValue(arguments, index, parsed.modulePath, error))
                return false;
        } else if (argument == "--script") {
            if (!TakeValue(arguments, index, parsed.scriptPath, error))
                return false;
        } else if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
        } else {
            error = "unknown option '" + argument + "'";
            return false;
        }
    }
    options = std::move(parsed);
    return true;
}
