#pragma once

#include <string>

namespace kestrow {

// Why a file operation failed: the C library's errno, or one of the few reasons of our own.
struct FileError {
    enum class Kind { System, NotRegularFile, NotUtf8Text, TooManyNames };

    Kind kind = Kind::System;
    int error = 0; // errno, for Kind::System

    static FileError system(int error) { return {Kind::System, error}; }

    // The English description, whatever the process's locale ("Permission denied"): standard
    // output is read by installers and is never translated.
    std::string description() const;
};

} // namespace kestrow
