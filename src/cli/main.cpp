// torvex-cli: the program's jobs without windows, for payroll systems and scripts.
#include "cli/cli_app.h"

int main(int argc, char** argv) { return torvex::cli::run(argc, argv); }
