#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/RunCli.h"
#include "cli/SignalCleanup.h"
#include "cli/StandardOutput.h"

int main(int argc, char** argv) {
  SignalCleanup::Install();
  const std::vector<std::string> args(argv + 1, argv + argc);
  StandardOutput output(STDOUT_FILENO);
  std::ostream out(&output);
  return RunCli(args, out, std::cerr);
}
