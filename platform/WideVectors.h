// Pixel loops compiled for AVX2 as well as for the SSE2 every x86-64 has, the one to run chosen
// when the program starts (GCC and Clang on ELF systems, through the C library's ifunc).
// Sanitizer builds keep the one portable form, so that the tests of a normal build run the
// AVX2 form on a machine that has it and those of a sanitizer build the portable one.
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMELLE_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LUMELLE_SANITIZED 1
#endif

#if defined(__x86_64__) && defined(__GNUC__) && defined(__ELF__) && !defined(LUMELLE_SANITIZED)
// A function compiled twice, for AVX2 and for the baseline.
#define LUMELLE_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
// AVX2 intrinsics may be used in functions marked LUMELLE_AVX2, called only when HasAvx2().
#define LUMELLE_HAS_AVX2_CODE 1
#define LUMELLE_AVX2 __attribute__((target("avx2")))
#else
#define LUMELLE_WIDE_VECTORS
#endif

namespace lumelle {

// Whether this processor runs AVX2 instructions.
inline bool HasAvx2()
{
#if defined(LUMELLE_HAS_AVX2_CODE)
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

} // namespace lumelle
