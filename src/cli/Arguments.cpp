#include "Arguments.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace terminor::cli {

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

template <typename T> bool ParseWhole(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

/// The command the error belongs to: the last command given on the line, or null for the program.
const CLI::App* ActiveCommand(const CLI::App& root) {
    const std::vector<CLI::App*> parsed = root.get_subcommands();
    return parsed.empty() ? nullptr : parsed.back();
}

/// Every name of the options of `command`, long and short ("--seconds", "-o").
std::vector<std::string> OptionNames(const CLI::App& command) {
    std::vector<std::string> names;
    for (const CLI::Option* option : command.get_options()) {
        for (const std::string& name : option->get_lnames()) {
            names.push_back("--" + name);
        }
        for (const std::string& name : option->get_snames()) {
            names.push_back("-" + name);
        }
    }
    return names;
}

/// The option whose display name begins the CLI11 message, e.g. "--seconds: ...".
const CLI::Option* OptionOfMessage(const CLI::App& command, const std::string& message) {
    const CLI::Option* best = nullptr;
    std::size_t bestLength = 0;
    for (const CLI::Option* option : command.get_options()) {
        const std::string name = option->get_name();
        if (!name.empty() && message.rfind(name, 0) == 0 && name.size() > bestLength) {
            best = option;
            bestLength = name.size();
        }
    }
    return best;
}

std::string DisplayName(const CLI::Option* option) {
    return option->get_positional() ? option->get_name(true, false) : option->get_name(false, true);
}

std::string WithSuggestion(const std::string& text, const std::string& nearest) {
    return nearest.empty() ? text : text + " Meinten Sie " + Quoted(nearest) + "?";
}

std::string ExtrasText(const CLI::App& root, const CLI::App* command) {
    const std::vector<std::string> extras = root.remaining(true);
    if (extras.empty()) {
        return "Unerwartete Argumente.";
    }
    const std::string& word = extras.front();
    if (word.size() > 1 && word[0] == '-') {
        const std::string name = word.substr(0, word.find('='));
        std::vector<std::string> candidates = OptionNames(command != nullptr ? *command : root);
        if (command != nullptr) {
            const std::vector<std::string> global = OptionNames(root);
            candidates.insert(candidates.end(), global.begin(), global.end());
        }
        return WithSuggestion("Unbekannte Option " + Quoted(name) + ".", NearestName(name, candidates));
    }
    if (command == nullptr) {
        return UnknownCommandText(word, root);
    }
    return "Unerwartetes Argument " + Quoted(word) + ".";
}

/// "A excludes B", "A requires B": the two option names joined by `separator`.
std::pair<std::string, std::string> SplitPair(const std::string& message, const std::string& separator) {
    const std::size_t at = message.find(separator);
    if (at == std::string::npos) {
        return {message, std::string()};
    }
    return {message.substr(0, at), message.substr(at + separator.size())};
}

std::string ErrorText(const CLI::ParseError& error, const CLI::App& root, const CLI::App* command) {
    const CLI::App& owner = command != nullptr ? *command : root;
    const std::string message = error.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        return ExtrasText(root, command);
    }
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
        for (const CLI::Option* option : owner.get_options()) {
            if (option->get_required() && option->count() == 0) {
                return "Die Angabe " + DisplayName(option) + " fehlt.";
            }
        }
        return "Eine Angabe fehlt.";
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
        const auto [a, b] = SplitPair(message, " excludes ");
        return a + " und " + b + " schließen sich aus; bitte nur eines angeben.";
    }
    if (dynamic_cast<const CLI::RequiresError*>(&error) != nullptr) {
        const auto [a, b] = SplitPair(message, " requires ");
        return a + " braucht " + b + ".";
    }
    const CLI::Option* option = OptionOfMessage(owner, message);
    const std::string name = option != nullptr ? DisplayName(option) : std::string("eine Angabe");
    if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr && option != nullptr) {
        // The validators below write German; CLI11 puts "NAME: " before their text.
        return "Ungültiger Wert für " + name + ": " + message.substr(option->get_name().size() + 2) + ".";
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        return option != nullptr && option->get_type_size() == 0
                   ? "Die Option " + name + " nimmt keinen Wert."
                   : "Bei " + name + " fehlt der Wert.";
    }
    if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr) {
        return option != nullptr ? "Ungültiger Wert für " + name + "." : "Ungültiger Wert.";
    }
    return "Die Argumente können nicht gelesen werden (" + message + ").";
}

/// CLI11's formatter without the "Needs"/"Excludes" lists beside the option names: the option
/// texts say so themselves and the names column stays narrow.
class GermanFormatter : public CLI::Formatter {
public:
    std::string make_option_opts(const CLI::Option* option) const override {
        std::string text;
        if (option->get_type_size() != 0) {
            if (!option->get_type_name().empty()) {
                text += " " + get_label(option->get_type_name());
            }
            if (option->get_required()) {
                text += " " + get_label("REQUIRED");
            }
        }
        return text;
    }
};

} // namespace

void MakeGerman(CLI::App& app, const std::string& footer) {
    auto formatter = std::make_shared<GermanFormatter>();
    formatter->label("Usage", "Aufruf");
    formatter->label("OPTIONS", "OPTIONEN");
    formatter->label("SUBCOMMAND", "BEFEHL");
    formatter->label("SUBCOMMANDS", "BEFEHLE");
    formatter->label("Positionals", "Argumente");
    formatter->label("REQUIRED", "(Pflicht)");
    formatter->column_width(30);
    app.formatter(formatter);
    app.option_defaults()->group("Optionen");
    app.set_help_flag("-h,--help", "Diese Hilfe anzeigen");
    app.group("Befehle");
    app.footer(footer);
}

CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& description) {
    CLI::App* command = app.add_subcommand(name, description);
    // A command creates its help flag before it takes over the option defaults: once more, so
    // that it stands in the group "Optionen" too.
    command->set_help_flag("-h,--help", "Diese Hilfe anzeigen");
    return command;
}

CLI::Validator PositiveSeconds() {
    return CLI::Validator(
        [](std::string& value) -> std::string {
            std::string text = value;
            std::replace(text.begin(), text.end(), ',', '.');
            double seconds = 0;
            const char* end = text.data() + text.size();
            const auto [ptr, ec] = std::from_chars(text.data(), end, seconds);
            if (ec != std::errc() || ptr != end || !std::isfinite(seconds) || seconds <= 0) {
                return Quoted(value) + " ist keine Zahl größer als 0 (z. B. 30 oder 2,5)";
            }
            value = text;
            return {};
        },
        "");
}

CLI::Validator WholeNumber(long long min, long long max) {
    return CLI::Validator(
        [min, max](std::string& value) -> std::string {
            long long number = 0;
            unsigned long long large = 0;
            if (ParseWhole(value, number) ? number < min
                                          : !(max == LLONG_MAX && min >= 0 && ParseWhole(value, large))) {
                // Only a limit without upper bound takes the whole unsigned range (seeds).
                return Quoted(value) + " ist keine ganze Zahl ab " + std::to_string(min);
            }
            if (number > max) {
                return Quoted(value) + " ist mehr als " + std::to_string(max);
            }
            return {};
        },
        "");
}

std::string NearestName(const std::string& word, const std::vector<std::string>& candidates) {
    std::string best;
    std::size_t bestDistance = std::string::npos;
    for (const std::string& candidate : candidates) {
        // A beginning that only one name has is as good as a typing error.
        const bool prefix = word.size() >= 3 && candidate.rfind(word, 0) == 0;
        const std::size_t distance = prefix ? 1 : EditDistance(word, candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    const std::size_t allowed = std::max<std::size_t>(1, word.size() / 3);
    return bestDistance <= allowed ? best : std::string();
}

std::string UnknownCommandText(const std::string& word, const CLI::App& root) {
    std::vector<std::string> names;
    for (const CLI::App* command : root.get_subcommands({})) {
        names.push_back(command->get_name());
    }
    return WithSuggestion("Unbekannter Befehl " + Quoted(word) + ".", NearestName(word, names));
}

std::string ArgumentErrorText(const CLI::ParseError& error, const CLI::App& root) {
    const CLI::App* command = ActiveCommand(root);
    return ErrorText(error, root, command) + "\nSiehe terminor-cli " +
           (command != nullptr ? command->get_name() + " " : std::string()) + "--help";
}

} // namespace terminor::cli
