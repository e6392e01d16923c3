// Reading and writing the largest dialog tag file (32767 controls, 31-character texts),
// against a memcpy of the same bytes in the same run.
#include "ZPTagFile.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kControls = 32767;

const std::vector<uint8_t>& largestFile() {
    static const std::vector<uint8_t> file = [] {
        ZPTagHeader header;
        header.setSignature(ZPSignatureZerv);
        header.setDialogOffset(int32_t(ZPTagHeader::kSize));
        ZPDialogRecord dialog;
        dialog.set_control_count(kControls);
        dialog.set_bounds(ZPBounds{0, 0, 480, 640});
        std::vector<ZPTagFileControl> controls(kControls);
        for (int i = 0; i < kControls; ++i) {
            ZPControlRecord& r = controls[size_t(i)].record;
            r.set_tag(ZPFourCharCode('b', 'u', 't', 't'));
            r.set_item_id(int16_t(i));
            r.set_bounds(ZPBounds{int16_t(i % 400), int16_t(i % 600), int16_t(i % 400 + 20),
                                  int16_t(i % 600 + 40)});
            std::string text = "Control " + std::to_string(i);
            text.resize(31, 'x');
            controls[size_t(i)].text = text;
        }
        std::vector<uint8_t> bytes;
        ZPTagFileWrite(header, dialog, controls, bytes);
        return bytes;
    }();
    return file;
}

void BM_MemcpyLargestFile(benchmark::State& state) {
    const std::vector<uint8_t>& file = largestFile();
    std::vector<uint8_t> copy(file.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), file.data(), file.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}

void BM_ReadLargestFile(benchmark::State& state) {
    const std::vector<uint8_t>& file = largestFile();
    for (auto _ : state) {
        ZPTagFileContents contents = ZPTagFileRead(file.data(), file.size());
        benchmark::DoNotOptimize(contents.controls.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}

void BM_WriteLargestFile(benchmark::State& state) {
    const std::vector<uint8_t>& file = largestFile();
    const ZPTagFileContents contents = ZPTagFileRead(file.data(), file.size());
    std::vector<uint8_t> out;
    for (auto _ : state) {
        ZPTagFileWrite(contents.header, contents.dialog, contents.controls, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}

} // namespace

BENCHMARK(BM_MemcpyLargestFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadLargestFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteLargestFile)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
