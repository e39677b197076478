#pragma once

#include <QString>

#include <string_view>

// A printer name as Qt text, every code point kept. QString::fromUtf8 drops a leading U+FEFF as a
// byte-order mark, and then the screen (and a screen reader) would disagree with the selection
// file. Every role that shows or reads out a name goes through here.
QString nameText(std::string_view utf8);
