#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kestrow/core/file_error.h"

namespace kestrow {

struct ReadResult {
    std::string content;
    std::optional<FileError> error;
    // False when the open found nothing at the path (a dangling link counts as nothing); error
    // then says why.
    bool found = true;
};

// Reads a whole regular file (links to one are followed). Directories, FIFOs and devices are
// refused at once, without blocking.
ReadResult readRegularFile(const std::string& path);

// Replaces the file at path with content in one rename: readers see the old state or the new
// file whole. A symbolic link at the path is replaced itself, never written through.
std::optional<FileError> writeFileAtomically(const std::string& path, std::string_view content);

struct RemoveResult {
    bool removed = false;           // something stood at the path and is gone
    std::optional<FileError> error; // something may stand there and could not be removed
};

// Removes a file, a symbolic link (not its target) or an empty directory, without looking first:
// what the removal itself reports decides, so nothing can change in between.
RemoveResult removeEntry(const std::string& path);

// The directory that holds path ("." for a bare name).
std::string directoryOf(const std::string& path);

// Temporary files of writeFileAtomically are named "<prefix><pid>-XXXXXX" in the target's directory.
inline constexpr std::string_view temporaryFilePrefix = ".kestrow-";

// Removes the temporary files that killed runs of ours left in directory: regular files of this
// user whose writer process no longer exists and whose lock is free. Returns how many were removed.
int removeAbandonedTemporaries(const std::string& directory);

} // namespace kestrow
