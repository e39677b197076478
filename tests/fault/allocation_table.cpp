#include "allocation_table.h"

#include <cstdlib>
#include <new>

namespace {

long countdown = 0; // 0: no rule
bool fired = false;

} // namespace

namespace allocation {

void failNth(long nth) {
    countdown = nth;
    fired = false;
}

bool stop() {
    countdown = 0;
    return fired;
}

} // namespace allocation

void* operator new(std::size_t size) {
    if (countdown > 0 && --countdown == 0) {
        fired = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t /*size*/) noexcept {
    std::free(memory);
}
