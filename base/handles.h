// Non-copyable owners of Win32 handles.
#pragma once

#include <windows.h>

#include <utility>

namespace ruvex {

template <typename Traits> class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type h) noexcept : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.h_, Traits::Invalid()));
        }
        return *this;
    }

    [[nodiscard]] Type get() const noexcept { return h_; }
    [[nodiscard]] bool valid() const noexcept { return h_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return valid(); }
    void reset(Type h = Traits::Invalid()) noexcept {
        if (valid()) {
            Traits::Close(h_);
        }
        h_ = h;
    }
    [[nodiscard]] Type release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    // For out-parameters of creating functions.
    Type* put() noexcept {
        reset();
        return &h_;
    }

private:
    Type h_ = Traits::Invalid();
};

// Traits of a handle type whose empty value is null, closed by CloseFn.
template <typename T, auto CloseFn> struct NullHandleTraits {
    using Type = T;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { CloseFn(h); }
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { ::CloseHandle(h); }
};
struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { ::FindClose(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::RegCloseKey(h); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;     // CreateFileW
using KernelHandle = UniqueHandle<KernelHandleTraits>; // processes, mutexes, events
using FindHandle = UniqueHandle<FindHandleTraits>;     // FindFirstFileExW
using RegKey = UniqueHandle<RegKeyTraits>;

} // namespace ruvex
