#pragma once

// Makes one chosen allocation through operator new fail with std::bad_alloc, as memory running out
// would, so that every allocation of an operation can be made to fail in turn. The test executable
// replaces the global operator new and delete (allocation_table.cpp) to do it.
namespace allocation {

// Makes the nth allocation from now fail, once.
void failNth(long nth);

// Forgets the rule; returns whether it fired.
bool stop();

} // namespace allocation
