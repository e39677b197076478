#include "kestrow/core/alert.h"

#include "kestrow/core/translatable.h"

namespace kestrow {

const char* messageTemplate(Alert::Kind kind) {
    switch (kind) {
    case Alert::Kind::ListNotFound:
        //: %1 is a file path. The path stands on a line of its own, so that it never breaks.
        return KESTROW_TRANSLATABLE("Alert", "Printer list file not found at:\n%1\n\nPlease ensure the file "
                                             "exists and the application has permission to read it.");
    case Alert::Kind::ListUnreadable:
        //: %1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the
        //: sentence would split the path across lines, put the path on a line of its own.
        return KESTROW_TRANSLATABLE("Alert", "Error loading printers from file '%1':\n%2");
    case Alert::Kind::ListEmpty:
        //: %1 is a file path. Where the sentence would split the path across lines, put the path
        //: on a line of its own.
        return KESTROW_TRANSLATABLE("Alert", "Printer list file was found but is empty or contains only "
                                             "blank lines.\nPlease ensure '%1' is populated correctly.");
    case Alert::Kind::NothingSelected:
        return KESTROW_TRANSLATABLE("Alert", "No printers selected. Please select at least one printer.");
    case Alert::Kind::SelectionNotWritten:
        //: %1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the
        //: sentence would split the path across lines, put the path on a line of its own.
        return KESTROW_TRANSLATABLE("Alert", "Error writing selected printers to '%1':\n%2");
    }
    return "";
}

std::string fillIn(std::string_view messageTemplate, std::string_view path, std::string_view reason) {
    std::string text;
    text.reserve(messageTemplate.size() + path.size() + reason.size());
    for (std::size_t i = 0; i < messageTemplate.size(); ++i) {
        if (messageTemplate[i] == '%' && i + 1 < messageTemplate.size() &&
            (messageTemplate[i + 1] == '1' || messageTemplate[i + 1] == '2')) {
            text += messageTemplate[i + 1] == '1' ? path : reason;
            ++i;
        } else {
            text += messageTemplate[i];
        }
    }
    return text;
}

std::string englishText(const Alert& alert) {
    return fillIn(messageTemplate(alert.kind), alert.path,
                  alert.reason ? alert.reason->description() : std::string());
}

} // namespace kestrow
