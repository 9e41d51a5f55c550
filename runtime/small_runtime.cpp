// The few pieces of the C++ runtime that the program and the engine take from here instead of from the
// static C++ library, whose own versions bring in exceptions, a name demangler, threads and formatted
// printing, some 250 KB per file. Neither file throws or catches: a fault the runtime cannot report in
// any other way (memory exhausted, a container used out of its range) ends the process at once.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <new>

namespace {

[[noreturn]] void endProcess() noexcept {
    std::abort();
}

} // namespace

// std::terminate calls this; the library's default prints the demangled name of the exception.
namespace __cxxabiv1 {
std::terminate_handler __terminate_handler = endProcess;
} // namespace __cxxabiv1

// The library's containers and strings report misuse and exhausted memory through these.
namespace std {
void __throw_bad_exception() {
    endProcess();
}
void __throw_bad_alloc() {
    endProcess();
}
void __throw_bad_array_new_length() {
    endProcess();
}
void __throw_bad_cast() {
    endProcess();
}
void __throw_bad_typeid() {
    endProcess();
}
void __throw_logic_error(const char*) {
    endProcess();
}
void __throw_domain_error(const char*) {
    endProcess();
}
void __throw_invalid_argument(const char*) {
    endProcess();
}
void __throw_length_error(const char*) {
    endProcess();
}
void __throw_out_of_range(const char*) {
    endProcess();
}
void __throw_out_of_range_fmt(const char*, ...) {
    endProcess();
}
void __throw_runtime_error(const char*) {
    endProcess();
}
void __throw_range_error(const char*) {
    endProcess();
}
void __throw_overflow_error(const char*) {
    endProcess();
}
void __throw_underflow_error(const char*) {
    endProcess();
}
void __throw_bad_function_call() {
    endProcess();
}
} // namespace std

// std::make_shared asks this whether a type is its own tag; the library's version (with the weak
// pointer's exception) compares the type information, which the product is built without.
bool std::_Sp_make_shared_tag::_S_eq(const std::type_info& type) noexcept {
    return &type == &_S_ti();
}

// Memory: the heap of the C runtime; running out of it ends the process.
void* operator new(std::size_t size) {
    if (void* block = std::malloc(size != 0 ? size : 1)) {
        return block;
    }
    endProcess();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

// Function-local statics made once, also when two threads reach them together. The compiler tests the
// guard's first byte itself; its second word is the lock of the thread that makes the object.
namespace {

struct Guard {
    volatile std::uint8_t done;
    std::uint8_t unused[3];
    volatile LONG busy;
};
static_assert(sizeof(Guard) == 8);

} // namespace

extern "C" int __cxa_guard_acquire(std::int64_t* raw) {
    auto* guard = reinterpret_cast<Guard*>(raw);
    while (true) {
        if (guard->done != 0) {
            MemoryBarrier();
            return 0;
        }
        if (InterlockedCompareExchange(&guard->busy, 1, 0) == 0) {
            if (guard->done != 0) {
                InterlockedExchange(&guard->busy, 0);
                return 0;
            }
            return 1;
        }
        Sleep(0);
    }
}

extern "C" void __cxa_guard_release(std::int64_t* raw) {
    auto* guard = reinterpret_cast<Guard*>(raw);
    MemoryBarrier();
    guard->done = 1;
    InterlockedExchange(&guard->busy, 0);
}

extern "C" void __cxa_guard_abort(std::int64_t* raw) {
    InterlockedExchange(&reinterpret_cast<Guard*>(raw)->busy, 0);
}
