#pragma once
// The program's exceptions. Every one that reaches a window procedure, a timer or a menu
// command is caught there and handed to the application's exception handler.

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A property write or operation that the object's present state forbids.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// The form resource is malformed: an unknown class or property, or a syntax error.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A write to an INI file that the platform reported as failed.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// The system could not give a GDI object that drawing needs.
class EOutOfResources : public Exception {
public:
    EOutOfResources() : Exception("Ressources système insuffisantes") {}
};
