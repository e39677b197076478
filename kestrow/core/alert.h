#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kestrow/core/file_error.h"

namespace kestrow {

// A message for the user, kept as its kind and parts so that the window can show it in the
// user's language. englishText() is the message itself in the C and English locales.
struct Alert {
    enum class Kind { ListNotFound, ListUnreadable, ListEmpty, NothingSelected, SelectionNotWritten };

    Kind kind = Kind::NothingSelected;
    std::string path;                // the file the message is about: %1
    std::optional<FileError> reason; // why it failed, for ListUnreadable and SelectionNotWritten: %2
};

// The English message, with %1 standing for the path and %2 for the reason.
const char* messageTemplate(Alert::Kind kind);

// The template with %1 and %2 filled in, in one pass: a path that holds "%2" stays as it is.
std::string fillIn(std::string_view messageTemplate, std::string_view path, std::string_view reason);

std::string englishText(const Alert& alert);

} // namespace kestrow
