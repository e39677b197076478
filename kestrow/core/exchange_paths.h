#pragma once

#include <string>

namespace kestrow {

// The three files shared with the installer. The product always uses the defaults;
// tests point them into a temporary directory.
struct ExchangePaths {
    std::string printerListFilePath = "/tmp/installer-printer-names.txt";
    std::string selectedPrintersFilePath = "/tmp/installer-selected-printer-names.txt";
    std::string doneFlagPath = "/tmp/orvane-selection-done.flag";
};

} // namespace kestrow
