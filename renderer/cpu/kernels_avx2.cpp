// The kernels for AVX2 with fused multiply-add: this unit alone is built
// for those instructions, and runs only once the processor said it has
// them (kernels_baseline.cpp).
#include "renderer/cpu/kernels_impl.h"

namespace orvelle::cpu {

const Kernels& avx2KernelTable();

const Kernels& avx2KernelTable() {
    static const Kernels kernels = KernelSet<xsimd::fma3<xsimd::avx2>, true>::table("AVX2");
    return kernels;
}

}  // namespace orvelle::cpu
