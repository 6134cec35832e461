// The command-line projection: zentharo [RECORD] [--set NAME:ROW=TEXT]... [--json | --csv | --tsv] [--svg FILE]
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs the tool on its arguments (without the program name). Returns the exit code: 0 on success,
// 2 on bad input, with one line on err and nothing on out.
int RunZentharoTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
