// Reading the demo host's command line.
#include "HostOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace {

// An option taking one value, noted each time it is given so that a second time can be refused.
CLI::Option* AddValueOption(CLI::App& app, const std::string& name) {
    return app.add_option(name)->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

// Takes the one non-empty value of an option, if it was given.
bool TakeValue(const CLI::Option& option, std::string& target, std::string& error) {
    const std::vector<std::string>& values = option.results();
    if (values.empty())
        return true;
    if (values.size() > 1) {
        error = option.get_name() + " is given twice";
        return false;
    }
    if (values.front().empty()) {
        error = option.get_name() + " needs a value";
        return false;
    }
    target = values.front();
    return true;
}

} // namespace

bool HostOptions::Parse(const std::vector<std::string>& arguments, HostOptions& options, std::string& error) {
    HostOptions parsed;
    CLI::App app("The demo host", "zentharo-host");
    app.set_help_flag();                    // help is kUsage, shown by the caller
    app.allow_windows_style_options(false); // "/path/to/game" is a file, not an option
    app.allow_extras();                     // reported below, in this program's words
    app.add_flag("-h,--help", parsed.help);
    app.add_flag("--version", parsed.version);
    CLI::Option* const module = AddValueOption(app, "--module");
    CLI::Option* const script = AddValueOption(app, "--script");
    app.add_option("GAMEFILE", parsed.gameFiles);

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ArgumentMismatch& mismatch) {
        // Only a value missing after the last option gets here.
        const std::string what = mismatch.what();
        for (const CLI::Option* option : {module, script})
            if (what.rfind(option->get_name(), 0) == 0)
                error = option->get_name() + " needs a value";
        if (error.empty())
            error = what;
        return false;
    } catch (const CLI::ParseError& failure) {
        error = failure.what();
        return false;
    }
    for (const std::string& extra : app.remaining()) {
        if (extra == "--") // what ended the options, left over by the parser
            continue;
        error = "unknown option '" + extra + "'";
        return false;
    }
    if (!TakeValue(*module, parsed.modulePath, error) || !TakeValue(*script, parsed.scriptPath, error))
        return false;
    options = std::move(parsed);
    return true;
}
