#pragma once
// The German face of the argument parser: help labels, checks of numbers with German messages,
// and argument errors that name the wrong argument and suggest the nearest command or option.

#include <climits>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace terminor::cli {

/// German help texts for `app` and every command added to it afterwards; call before adding any.
void MakeGerman(CLI::App& app, const std::string& footer);

/// A command of `app` with the German help flag.
CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& description);

/// A number of seconds above 0; accepts a decimal comma ("2,5") as well as a point.
CLI::Validator PositiveSeconds();
/// A whole number from `min` to `max`; without upper limit and with `min` >= 0 the whole unsigned
/// 64-bit range (seeds).
CLI::Validator WholeNumber(long long min, long long max = LLONG_MAX);

/// The German text of a parse error of `root`'s command line, ending with
/// "Siehe terminor-cli BEFEHL --help".
std::string ArgumentErrorText(const CLI::ParseError& error, const CLI::App& root);

/// The candidate closest to `word` when one is close enough to be meant, else empty.
std::string NearestName(const std::string& word, const std::vector<std::string>& candidates);

/// "Unbekannter Befehl "X"." with a suggestion among the commands of `root`.
std::string UnknownCommandText(const std::string& word, const CLI::App& root);

} // namespace terminor::cli
