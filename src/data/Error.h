#pragma once
// The project's exception types. Every error carries the German text the front ends show.

#include <stdexcept>
#include <string>

namespace terminor {

/// Base of every error Terminor raises; what() is the German message for the user.
class TerminorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A text that is not a valid date, time or number.
class EConvertError : public TerminorError {
public:
    using TerminorError::TerminorError;
};

/// A file that cannot be read, parsed or written.
class EFileError : public TerminorError {
public:
    using TerminorError::TerminorError;
};

} // namespace terminor
