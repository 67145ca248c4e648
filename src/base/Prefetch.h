#pragma once

#include <cstddef>
#include <cstdint>

namespace bw {

// Asks the processor to start loading memory that is about to be read;
// neither Qt nor the standard library offers this, so it is the compiler's.
inline void prefetch(const void* address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// The same for every cache line of bytes bytes from address.
inline void prefetch(const void* address, std::size_t bytes)
{
    constexpr std::uintptr_t line = 64;
    const auto first = reinterpret_cast<std::uintptr_t>(address) & ~(line - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(address) + bytes;
    for (std::uintptr_t at = first; at < end; at += line)
        prefetch(reinterpret_cast<const void*>(at));
}

} // namespace bw
