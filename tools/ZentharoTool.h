// The command-line projection:
//   zentharo [RECORD] [--set NAME:ROW=TEXT | --fill NAME:ROW | --paste NAME:ROW=FILE]... [--json | --csv | --tsv]
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// Runs the tool on its arguments (without the program name). Returns the exit code: 0 on success,
// 2 on bad input, with one line on err and nothing on out.
// A --paste of "-" reads in.
int RunZentharoTool(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err);
// The same with nothing on standard input.
int RunZentharoTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
