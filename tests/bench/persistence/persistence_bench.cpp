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

constexpr int kProfiles = 100;

struct Fixture {
    Fixture() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "nimba-bench-XXXXXX").string();
        folder = std::string(::mkdtemp(pattern.data())) + "/";
        data_dir = DataDirectoryIn(folder);
        for (int i = 0; i < kProfiles; ++i) profiles.push_back(NewProfile(u"Bench"));
        header = std::make_unique<ProfileStoreHeader>();
        SaveProfileStore(data_dir, profiles, *header);
        plain_path = folder + "plain.data";
        bytes.resize(sizeof(ProfileStoreHeader) + kProfiles * sizeof(ProfileRecord), 1);
    }
    ~Fixture() { std::filesystem::remove_all(folder); }

    std::string folder, data_dir, plain_path;
    ProfileList profiles;
    std::unique_ptr<ProfileStoreHeader> header;
    std::vector<char> bytes;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Shared().bytes.size()));
}

void BM_SaveProfileStore(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveProfileStore(f.data_dir, f.profiles, *f.header));
    SetBytes(state);
}

void BM_PlainWrite(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        std::FILE* file = std::fopen(f.plain_path.c_str(), "wb");
        benchmark::DoNotOptimize(std::fwrite(f.bytes.data(), 1, f.bytes.size(), file));
        std::fclose(file);
    }
    SetBytes(state);
}

void BM_LoadProfileStore(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        ProfileList loaded;
        auto header = std::make_unique<ProfileStoreHeader>();
        LoadProfileStore(f.data_dir, loaded, *header);
        benchmark::DoNotOptimize(loaded.size());
    }
    SetBytes(state);
}

void BM_PlainRead(benchmark::State& state) {
    Fixture& f = Shared();
    std::vector<char> buffer(f.bytes.size());
    for (auto _ : state) {
        std::FILE* file = std::fopen(f.plain_path.c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
        std::fclose(file);
    }
    SetBytes(state);
}

BENCHMARK(BM_SaveProfileStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProfileStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimba

BENCHMARK_MAIN();
