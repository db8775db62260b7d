// Saving and loading a 100-profile store, beside writing and reading the same bytes plainly
// (one fwrite into the file in place, one fread), to show what the atomic replacement costs.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/profile_defaults.h"
#include "persistence/data_directory.h"
#include "persistence/profile_store.h"

namespace nimba {
namespace {

struct Fixture {
    Fixture() {
        std::string pattern = std::filesystem::temp_directory_path() / "nimba-bench-XXXXXX";
        folder = std::string(::mkdtemp(pattern.data())) + "/";
        data_dir = DataDirectoryIn(folder);
        for (int i = 0; i < 100; ++i) profiles.push_back(NewProfile(u"Bench"));
        if (!SaveProfileStore(data_dir, profiles, *header)) std::abort();
        bytes.resize(sizeof(ProfileStoreHeader) + profiles.size() * sizeof(ProfileRecord), 1);
        std::FILE* file = std::fopen((folder + "plain.data").c_str(), "wb");  // for reading alone
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    ~Fixture() { std::filesystem::remove_all(folder); }

    std::string folder, data_dir;
    ProfileList profiles;
    std::unique_ptr<ProfileStoreHeader> header = std::make_unique<ProfileStoreHeader>();
    std::vector<char> bytes;
};

// Runs `body` once per iteration on the one shared fixture and reports the store's size as bytes.
void Run(benchmark::State& state, void (*body)(Fixture&)) {
    static Fixture f;
    for (auto _ : state) body(f);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.bytes.size()));
}

void BM_SaveProfileStore(benchmark::State& state) {
    Run(state, [](Fixture& f) {
        benchmark::DoNotOptimize(SaveProfileStore(f.data_dir, f.profiles, *f.header));
    });
}

void BM_PlainWrite(benchmark::State& state) {
    Run(state, [](Fixture& f) {
        std::FILE* file = std::fopen((f.folder + "plain.data").c_str(), "wb");
        benchmark::DoNotOptimize(std::fwrite(f.bytes.data(), 1, f.bytes.size(), file));
        std::fclose(file);
    });
}

void BM_LoadProfileStore(benchmark::State& state) {
    Run(state, [](Fixture& f) {
        ProfileList loaded;
        auto header = std::make_unique<ProfileStoreHeader>();
        // The store is never empty here, so no first profile is ever named.
        LoadProfileStore(f.data_dir, loaded, *header, {});
        benchmark::DoNotOptimize(loaded.size());
    });
}

void BM_PlainRead(benchmark::State& state) {
    Run(state, [](Fixture& f) {
        std::FILE* file = std::fopen((f.folder + "plain.data").c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(f.bytes.data(), 1, f.bytes.size(), file));
        std::fclose(file);
    });
}

BENCHMARK(BM_SaveProfileStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProfileStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimba

BENCHMARK_MAIN();
