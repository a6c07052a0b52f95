// Clearing the upper halves of the processor's wide vector registers before a hot loop.
//
// The program is built for the baseline x86-64 instruction set, so its floating-point code uses
// the short (SSE) encodings. When code elsewhere in the process (a system or toolkit library
// that picked wider instructions at run time) returns with the upper halves of the vector
// registers still holding data, every such short instruction afterwards waits on those stale
// halves: loops of arithmetic run several times slower. Clearing them first (VZEROUPPER, where
// the processor has it) costs a few cycles and changes no value the code uses.
#pragma once

namespace fw {

#if defined(__x86_64__) || defined(__i386__)
#if defined(__AVX__)
// Built with the wide encodings: the compiler clears the halves itself where needed.
inline void ClearUpperVectorState() {}
#else
inline void ClearUpperVectorState() {
  static const bool available = __builtin_cpu_supports("avx");
  // Only the upper halves change; the parts the short encodings use keep their values.
  if (available) asm volatile("vzeroupper");
}
#endif
#else
inline void ClearUpperVectorState() {}
#endif

}  // namespace fw
