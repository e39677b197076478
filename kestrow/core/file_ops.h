#pragma once

#include <optional>
#include <string>

namespace kestrow {

// A failed file operation, described in the words the user will read ("Permission denied").
struct FileError {
    std::string description;
};

struct ReadResult {
    std::string content;
    std::optional<FileError> error;
};

// True when anything exists at the path, following symbolic links (a dangling link is nothing).
bool existsFollowingLinks(const std::string& path);

// True when anything exists at the path itself, a dangling symbolic link included, or when the
// path cannot be examined for any reason but its absence.
bool existsAsEntry(const std::string& path);

// Reads a whole regular file (links to one are followed). Directories, FIFOs and devices are
// refused at once, without blocking.
ReadResult readRegularFile(const std::string& path);

// Replaces the file at path with content in one rename: readers see the old state or the new
// file whole. A symbolic link at the path is replaced itself, never written through.
std::optional<FileError> writeFileAtomically(const std::string& path, std::string_view content);

// Removes a file, a symbolic link (not its target) or an empty directory.
std::optional<FileError> removeEntry(const std::string& path);

// Temporary files of writeFileAtomically are named "<prefix><pid>-XXXXXX" in the target's directory.
inline constexpr std::string_view temporaryFilePrefix = ".kestrow-";

// Removes the temporary files that killed runs of ours left in directory: regular files of this
// user whose writer process no longer exists. Returns how many were removed.
int removeAbandonedTemporaries(const std::string& directory);

} // namespace kestrow
