#pragma once
namespace torvex::cli {
// Parses the command line and runs the chosen subcommand; answers the exit status.
int run(int argc, char** argv);
}
