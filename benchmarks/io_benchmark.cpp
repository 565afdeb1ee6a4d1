// How fast scripts and settings are read: a talk script is read whole in a
// scene's create, so its cost is part of the pause between scenes.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <string>

#include "engine/core/StringTokenizer.h"
#include "engine/core/ValueParser.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/io/Scrambler.h"

namespace {

using veru::YString;

YString scriptPath() {
    static const YString path =
        YString::fromUtf8("/tmp/mirelune_bench_" + std::to_string(::getpid()) + ".dat");
    return path;
}

void writeScript(int lines) {
    veru::io::ByteFileWriter writer(scriptPath());
    writer.setKeys(0, veru::io::kDataFileKey);
    for (int i = 0; i < lines; ++i) {
        writer.writeLine(YString(u"Talk:1,月の光が湖に落ちて、霧がゆっくりと森へ流れていく。") +
                         YString::fromInt(i));
    }
    writer.close();
}

void BM_ReadScrambledScript(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    writeScript(lines);
    for (auto _ : state) {
        veru::io::ByteFileReader reader(scriptPath());
        reader.setKeys(0, veru::io::kDataFileKey);
        std::size_t units = 0;
        while (auto line = reader.readLine())
            units += line->size();
        benchmark::DoNotOptimize(units);
    }
    state.SetItemsProcessed(state.iterations() * lines);
    std::remove(scriptPath().toUtf8().c_str());
}
BENCHMARK(BM_ReadScrambledScript)->Arg(100)->Arg(2000);

void BM_TokenizeAndParse(benchmark::State& state) {
    const YString line = u"Enemy:12, 640, 300, (5), 1200";
    for (auto _ : state) {
        veru::util::StringTokenizer tokens(line, u": ,()");
        int sum = 0;
        tokens.nextToken();
        while (const char16_t* t = tokens.nextToken())
            sum += veru::parseInt(t);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TokenizeAndParse);

}  // namespace

BENCHMARK_MAIN();
