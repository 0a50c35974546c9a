#include "Output.h"

#include <filesystem>
#include <iostream>
#include <vector>

#include "data/Error.h"
#include "data/XmlFile.h"

namespace terminor::cli {

std::string ExitCodesHelp() {
    return "Rückgabewerte:\n"
           "  0  fertig; der geschriebene Spielplan hat kein Spiel ohne Termin und\n"
           "     keinen harten Fehler\n"
           "  1  Fehler; nichts wurde geschrieben\n"
           "  2  geschrieben, aber der Spielplan hat Spiele ohne Termin, Spiele an\n"
           "     nicht erlaubten Tagen oder harte Fehler (eine Zusammenfassung steht\n"
           "     auf der Standardfehlerausgabe)\n";
}

void CheckOutput(const std::string& input, const std::string& output) {
    if (output == "-") {
        return;
    }
    std::error_code ec;
    if (!input.empty() && std::filesystem::exists(output, ec) &&
        std::filesystem::equivalent(input, output, ec)) {
        throw EFileError("Die Eingabedatei " + input +
                         " wird nicht überschrieben. Bitte eine andere Ausgabedatei angeben.");
    }
    CheckFileWritable(output);
}

void WriteOutput(const std::string& output, std::string_view bytes, std::string_view label) {
    if (output == "-") {
        std::cout << bytes;
        std::cout.flush();
        if (!std::cout) {
            throw EFileError("Die Standardausgabe kann nicht geschrieben werden.");
        }
        return;
    }
    WriteFileAtomic(output, bytes);
    std::cerr << label << " gespeichert: " << output << "\n";
}

std::string HardErrorsText(int count) {
    return std::to_string(count) + (count == 1 ? " harter Fehler" : " harte Fehler");
}

std::string UndatedText(int count) {
    return std::to_string(count) + (count == 1 ? " Spiel ohne Termin" : " Spiele ohne Termin");
}

int ScheduleExitCode(const TPlan& plan, const std::string& details) {
    std::vector<std::string> messages;
    const THardErrorCounts counts = plan.getHardErrorMessages(messages);
    if (!counts.Any()) {
        return ExitDone;
    }
    std::cerr << "Achtung: " << HardErrorsText(counts.Others()) << ", " << UndatedText(counts.unscheduled);
    if (!details.empty()) {
        std::cerr << " (Details: " << details << ")";
    }
    std::cerr << "\n";
    return ExitScheduleFaulty;
}

namespace {

std::string ShellWord(const std::string& word) {
    if (word.find_first_of(" \t'\"$`\\!*?&;|<>()#~") == std::string::npos) {
        return word;
    }
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

std::string CostsCommandLine(const std::string& input, const std::string& options,
                             const std::string& schedule) {
    std::string line = "terminor-cli costs " + ShellWord(input);
    if (!options.empty()) {
        line += " --options " + ShellWord(options);
    }
    if (!schedule.empty()) {
        line += " --schedule " + ShellWord(schedule);
    }
    return line;
}

} // namespace terminor::cli
