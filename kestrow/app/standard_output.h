#pragma once

#include <string>

// Writes one diagnostic line to standard output and flushes it at once: the installer may be
// reading. A closed or broken standard output is ignored, so that finishing goes on.
void printDiagnosticLine(const std::string& line);

// Makes a closed standard stream harmless: SIGPIPE no longer ends the process, and closed
// descriptors 0-2 are reopened on /dev/null so that no file the program opens takes their place.
void protectStandardStreams();
