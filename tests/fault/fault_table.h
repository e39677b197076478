#pragma once

// Makes chosen calls from the core into the C library fail, so that every failure path of the
// file operations runs without root and without a full or broken disk.
//
// The test executable is linked with -Wl,--wrap=<name> for each call below: the linker sends the
// core's references to <name> to __wrap_<name> (fault_table.cpp), which either fails or calls
// __real_<name>, the library's own (or the sanitizer's interceptor in front of it). They are the
// calls the file operations make (nm -u on file_ops.cpp's object), the clean-up of abandoned
// temporaries and the locks included; lstat is kept to show that nothing is looked at first.
namespace fault {

enum class Call {
    Stat,
    Lstat,
    Open,
    Read,
    Fstat,
    Write,
    Fchmod,
    Fsync,
    Close,
    Rename,
    Unlink,
    Rmdir,
    Mkostemp,
    Flock,
    Opendir,
    Openat,
    Unlinkat
};

const char* nameOf(Call call);

// Makes the nth call of call (counting from 1 since the last clear()) fail with error. Several
// rules may stand at once; each fires once. A failed close() still releases the descriptor, as
// Linux does.
void failNthCall(Call call, int nth, int error);

// Forgets every rule and resets every count.
void clear();

// Calls of call made since the last clear().
int callCount(Call call);

// Rules that have fired since the last clear(); a test checks it to know its fault was reached.
int firedCount();

} // namespace fault
