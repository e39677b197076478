#include "kestrow/core/file_error.h"

#include <cstring>

#include <locale.h>

#include "kestrow/core/translatable.h"

namespace kestrow {
namespace {

// Qt sets the process's locale from the environment, and strerror follows LC_MESSAGES.
locale_t cLocale() {
    static const locale_t locale = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

} // namespace

std::string FileError::description() const {
    switch (kind) {
    case Kind::System:
        return ::strerror_l(error, cLocale());
    case Kind::NotRegularFile:
        //: Why a file could not be read, shown after the alert's message.
        return KESTROW_TRANSLATABLE("Alert", "Not a regular file.");
    case Kind::NotUtf8Text:
        //: Why a file could not be read, shown after the alert's message.
        return KESTROW_TRANSLATABLE("Alert", "The file is not valid UTF-8 text.");
    case Kind::TooManyNames:
        //: Why a file could not be read, shown after the alert's message.
        return KESTROW_TRANSLATABLE("Alert", "The file holds more printer names than the list can show.");
    }
    return {};
}

} // namespace kestrow
