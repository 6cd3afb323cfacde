#pragma once
// An allocator for pixel buffers that takes zeroed memory from calloc and does not
// write it again when a vector grows. A large surface that is never drawn into (the
// backlog's page, the battle's screen outside a battle) then costs no resident memory:
// the kernel maps its untouched pages on demand, already zero.

#include <cstdlib>
#include <new>
#include <utility>

namespace vandor {

template <typename T>
struct TZeroedAllocator {
    using value_type = T;

    TZeroedAllocator() = default;
    template <typename U>
    TZeroedAllocator(const TZeroedAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        void* memory = std::calloc(count, sizeof(T));
        if (memory == nullptr) throw std::bad_alloc();
        return static_cast<T*>(memory);
    }
    void deallocate(T* memory, std::size_t) noexcept { std::free(memory); }

    // Value-initialising an element would write the zero calloc gave already. That holds
    // only for memory fresh from allocate: a vector that shrank and grows again within
    // its capacity would keep old values, so give each buffer its size once from empty,
    // as TBitmap32::SetSize does.
    template <typename U>
    void construct(U*) noexcept {}
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const TZeroedAllocator&, const TZeroedAllocator&) { return true; }
};

}  // namespace vandor
