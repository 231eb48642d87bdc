// The standard library's reports of misuse (a string or vector grown past its limit, an empty
// function called), raised as the program's own exceptions. Defining them here keeps the
// library's versions, and the copy-on-write strings of their exception classes, out of the
// executable; the program shows the message in its status bar as for any other failure.

#include "framework/Exceptions.h"

#include <new>

namespace std {

void __throw_bad_alloc() {
    throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}

void __throw_length_error(const char* what) {
    throw Exception(what);
}

void __throw_logic_error(const char* what) {
    throw Exception(what);
}

void __throw_out_of_range_fmt(const char* format, ...) {
    throw Exception(format);
}

void __throw_bad_function_call() {
    throw Exception("bad_function_call");
}

}  // namespace std
