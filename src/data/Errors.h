#pragma once
// One exception hierarchy for every failure that reaches the user. Each class
// carries the message that the catching window shows as it stands.
#include <stdexcept>
#include <string>

namespace landora {

// The general failure: a message for the user, nothing else.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string &message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A data file that does not exist: "File "<name>" not found."
class EFileNotFound : public Exception {
public:
    using Exception::Exception;
};

// A data file that exists but cannot be opened: "File open failed: <cause>".
class EFileOpenFailed : public Exception {
public:
    using Exception::Exception;
};

// An input/output failure while reading, above all "Read beyond end of file".
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// A value or index outside its fixed range: a capacity exceeded, an int16
// above 32767, a text number outside 1..34.
class ERangeError : public Exception {
public:
    ERangeError() : Exception("Range check error") {}
    using Exception::Exception;
};

} // namespace landora
