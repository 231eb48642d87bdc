#pragma once
// The program's exceptions; the window procedure's edge hands each one to the application.

#include <exception>
#include <string>
#include <utility>

// Holds its message itself: the standard library's own exception classes would bring their
// copy-on-write strings into the executable.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const { return message_; }

private:
    std::string message_;
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

// The text of an error, for the user's eyes.
inline std::string MessageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(std::move(error));
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Erreur inconnue";
    }
}
