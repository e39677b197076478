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

// GoogleTest 1.16 allocates with the nothrow form and frees through the plain delete below: without
// this one the sanitizer's own nothrow new and our delete would not pair.
void* operator new(std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t /*size*/) noexcept {
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t& /*tag*/) noexcept {
    std::free(memory);
}
