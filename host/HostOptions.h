// The demo host's command line: zentharo-host [--module PATH] [--script FILE] [--version] [GAMEFILE...]
#pragma once

#include <string>
#include <vector>

class HostOptions {
public:
    static constexpr const char* kUsage =
        "usage: zentharo-host [--module PATH] [--script FILE] [--version] [GAMEFILE...]";

    // Reads the arguments after the program name. On failure error says what is wrong.
    static bool Parse(const std::vector<std::string>& arguments, HostOptions& options, std::string& error);

    std::string modulePath; // empty: Zentharo.dll beside the program
    std::string scriptPath; // empty: an interactive window session
    std::vector<std::string> gameFiles;
    bool help = false;
    bool version = false;
};
