#include "common/Gbk.h"
#include "platform/ByteReader.h"

#include <benchmark/benchmark.h>

static void BM_GbkToUtf8ChatLine(benchmark::State &state) {
    const std::string line = "您确定真的要退出游戏吗？ hello 进入房间"_gbk;
    for (auto _ : state)
        benchmark::DoNotOptimize(Gbk::ToUtf8(line));
}
BENCHMARK(BM_GbkToUtf8ChatLine);

static void BM_GbkSafePrefix(benchmark::State &state) {
    const std::string name = "a进入房间进入房间b"_gbk;
    for (auto _ : state)
        benchmark::DoNotOptimize(Gbk::SafePrefixLength(name, 12));
}
BENCHMARK(BM_GbkSafePrefix);

BENCHMARK_MAIN();
