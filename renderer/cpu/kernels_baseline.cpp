// The kernels for the SSE2 that every 64-bit x86 processor has, and the
// choice of the AVX2 ones where the processor runs them.
#include "renderer/cpu/kernels_impl.h"

namespace orvelle::cpu {

#if defined(ORVELLE_CPU_AVX2)
// In the AVX2 unit, which only this one calls, after the processor said yes.
const Kernels& avx2KernelTable();
#endif

const Kernels& baselineKernels() {
    static const Kernels kernels = KernelSet<xsimd::sse2, false>::table("SSE2");
    return kernels;
}

const Kernels* avx2Kernels() {
#if defined(ORVELLE_CPU_AVX2)
    // The check runs here, in code built for the baseline: nothing of the
    // AVX2 unit runs on a processor without it.
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) {
        return &avx2KernelTable();
    }
#endif
    return nullptr;
}

}  // namespace orvelle::cpu
