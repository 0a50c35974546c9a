// TThreadFailure: the first error wins; later ones are usually its consequences.

#include "engine/ThreadFailure.h"

#include "data/Error.h"

namespace terminor {

void TThreadFailure::Report(const std::string& text) {
    const std::lock_guard lock(FMutex);
    if (!FText) {
        FText = text;
    }
}

void TThreadFailure::ReportCurrentException(const std::string& threadName) {
    Report(CurrentExceptionText(threadName));
}

bool TThreadFailure::Failed() const {
    const std::lock_guard lock(FMutex);
    return FText.has_value();
}

std::optional<std::string> TThreadFailure::Text() const {
    const std::lock_guard lock(FMutex);
    return FText;
}

std::string CurrentExceptionText(const std::string& threadName) {
    const std::string where = "Die Generierung wurde abgebrochen: Fehler im Thread \"" + threadName + "\"";
    try {
        throw;
    } catch (const TerminorError& e) {
        return where + ": " + e.what();
    } catch (const std::bad_alloc&) {
        return where + ": nicht genügend Arbeitsspeicher";
    } catch (const std::exception& e) {
        return where + ": " + e.what();
    } catch (...) {
        return where + ": unbekannter Fehler";
    }
}

} // namespace terminor
