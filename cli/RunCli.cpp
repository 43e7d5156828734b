// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RunCli.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <memory>
#include <new>
#include <system_error>

#include "cli/CheckCommand.h"
#include "cli/CliError.h"
#include "cli/ReadCommand.h"
#include "cli/RecordCommand.h"
#include "cli/SelectCommand.h"
#include "cli/SpectrumCommand.h"
#include "cli/StandardOutput.h"
#include "model/Version.h"
#ifdef TREMVALE_ARTIFICIAL
#include "cli/ArtificialCommand.h"
#endif

namespace {

constexpr const char* kProgram = "tremvale-cli";

// Every subcommand of the program, in the order --help lists them.
std::vector<std::unique_ptr<Command>> MakeCommands(std::ostream& err) {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(std::make_unique<SpectrumCommand>());
  commands.push_back(std::make_unique<ReadCommand>());
  commands.push_back(std::make_unique<RecordCommand>());
  commands.push_back(std::make_unique<CheckCommand>());
  commands.push_back(std::make_unique<SelectCommand>());
#ifdef TREMVALE_ARTIFICIAL
  commands.push_back(std::make_unique<ArtificialCommand>(err));
#else
  static_cast<void>(err);
#endif
  return commands;
}

// False, with a message naming the system's reason where the stream knows it, when what was
// written to out did not all arrive.
bool Flushed(std::ostream& out, std::ostream& err) {
  if (out.flush()) return true;
  err << kProgram << ": cannot write to standard output";
  const auto* output = dynamic_cast<const StandardOutput*>(out.rdbuf());
  if (output != nullptr && output->Error() != 0) {
    err << ": " << std::generic_category().message(output->Error());
  }
  err << '\n';
  return false;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App program(
      "Elastic design response spectra after GB 50011 (2010 and 2001 editions), "
      "the same as the Tremvale window makes, and ground-motion records checked against them.",
      kProgram);
  program.set_version_flag("--version", std::string(kProgram) + " " + tremvale::kVersion);
  program.require_subcommand(1);
  const auto commands = MakeCommands(err);
  std::vector<CLI::App*> parsers;
  for (const auto& command : commands) parsers.push_back(command->Register(program));

  std::vector<const char*> argv{kProgram};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  try {
    program.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& error) {
    // Help and version go to out with code 0; every other parse error is a usage error.
    if (program.exit(error, out, err) != 0) return kExitUsage;
    return Flushed(out, err) ? kExitSuccess : kExitFailure;
  }

  ExitCode code = kExitSuccess;
  try {
    for (std::size_t i = 0; i < commands.size(); ++i) {
      if (parsers[i]->parsed()) code = commands[i]->Run(out);
    }
  } catch (const CliError& error) {
    err << kProgram << ": " << error.what() << '\n';
    return error.code();
  } catch (const std::bad_alloc&) {
    err << kProgram << ": Out of Memory.\n";
    return kExitFailure;
  } catch (const std::exception& error) {
    err << kProgram << ": " << error.what() << '\n';
    return kExitFailure;
  }
  return Flushed(out, err) ? code : kExitFailure;
}
