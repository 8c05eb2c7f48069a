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
#else
#define LUMELLE_WIDE_VECTORS
#endif
