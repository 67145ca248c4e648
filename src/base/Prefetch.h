#pragma once

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

} // namespace bw
