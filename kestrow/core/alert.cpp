#include "kestrow/core/alert.h"

#include "kestrow/core/translatable.h"

namespace kestrow {

const char* messageTemplate(Alert::Kind kind) {
    switch (kind) {
    case Alert::Kind::ListNotFound:
        return KESTROW_TRANSLATABLE("Alert", "Printer list file not found at:\n%1\n\nPlease ensure the file "
                                             "exists and the application has permission to read it.");
    case Alert::Kind::ListUnreadable:
        return KESTROW_TRANSLATABLE("Alert", "Error loading printers from file '%1':\n%2");
    case Alert::Kind::ListEmpty:
        return KESTROW_TRANSLATABLE("Alert", "Printer list file was found but is empty or contains only "
                                             "blank lines.\nPlease ensure '%1' is populated correctly.");
    case Alert::Kind::NothingSelected:
        return KESTROW_TRANSLATABLE("Alert", "No printers selected. Please select at least one printer.");
    case Alert::Kind::SelectionNotWritten:
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
