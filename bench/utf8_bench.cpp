// Conversions at the boundary to files and the database: every text crosses one of these.
#include <benchmark/benchmark.h>

#include "lumoui/base/cstring.h"

namespace {

const std::string kMixedText = [] {
    std::string text;
    for (int i = 0; i < 64; ++i) {
        text += "Touche personnalis\xC3\xA9" "e F12 \xE2\x82\xAC ";
    }
    return text;
}();

void BM_Utf8ToWide(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(Utf8ToWide(kMixedText));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kMixedText.size()));
}
BENCHMARK(BM_Utf8ToWide);

void BM_WideToUtf8(benchmark::State& state) {
    const CString wide = Utf8ToWide(kMixedText);
    for (auto _ : state) {
        benchmark::DoNotOptimize(WideToUtf8(wide));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kMixedText.size()));
}
BENCHMARK(BM_WideToUtf8);

}  // namespace
