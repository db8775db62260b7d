// nimba-crash-check KILLS [SEED]
//
// A saving process is killed with SIGKILL at random moments, KILLS times. It saves the profile
// store and the macro store, each on its own thread, in rounds, each round's content made from
// its number (names, counts, the current index, the macro actions), and says on a pipe which save
// of which round is about to start and which has finished. After each kill both stores must load,
// each must hold the whole content of a round the saver had finished or was saving, and the start
// must have left no other file beside them (no temporary, no kept damaged copy). Prints the seed
// and the figures; exits 1 on the first store that is not so.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "macro/macro_store.h"
#include "model/profile_defaults.h"
#include "model/utf16.h"
#include "persistence/data_directory.h"
#include "persistence/profile_store.h"
#include "test_folder.h"

namespace nimba {
namespace {

using testing::StoreText;

std::u16string RecordName(char kind, uint32_t round, size_t index) {
    return Utf8ToUtf16(std::string(1, kind) + std::to_string(round) + "-" + std::to_string(index));
}

// The counts go up round by round and start over, so saves are both small and a few MB.
void FillProfiles(uint32_t round, ProfileList& profiles) {
    profiles.clear();
    for (size_t i = 0; i <= round % 48; ++i) {
        profiles.push_back(NewProfile(RecordName('P', round, i)));
    }
}

void FillMacros(uint32_t round, MacroList& macros) {
    macros.clear();
    for (size_t i = 0; i <= round % 200; ++i) {
        auto record = std::make_unique<MacroRecord>();
        CopyName(record->name, RecordName('M', round, i));
        record->loop_count = static_cast<int32_t>(round);
        record->action_count = static_cast<int32_t>((round + i) % (kMaxMacroActions + 1));
        std::memset(record->actions, static_cast<int>((round + i) & 0xFF), sizeof record->actions);
        macros.push_back(std::move(record));
    }
}

// A round's content put into a store; its current profile is the round's number modulo the count.
void PutRound(ProfileStore& store, uint32_t round) {
    store.Edit([&](ProfileList& list, ProfileStoreHeader& header) {
        FillProfiles(round, list);
        header.current_profile_index = static_cast<int32_t>(round % list.size());
    });
}
void PutRound(MacroStore& store, uint32_t round) {
    store.Edit([&](MacroList& list) { FillMacros(round, list); });
}

// The round whose whole content the list holds, if any: its first name says which.
template <typename List, typename Fill>
std::optional<uint32_t> WholeRound(const List& loaded, char kind, Fill fill) {
    if (loaded.empty()) return std::nullopt;
    const std::string first = Utf16ToUtf8(NameView(loaded[0]->name));
    if (first.size() < 2 || first[0] != kind) return std::nullopt;
    const auto round = static_cast<uint32_t>(std::strtoul(first.c_str() + 1, nullptr, 10));
    List expected;
    fill(round, expected);
    const auto same = [](const auto& a, const auto& b) {
        return std::memcmp(a.get(), b.get(), sizeof *a) == 0;
    };
    return std::equal(loaded.begin(), loaded.end(), expected.begin(), expected.end(), same)
               ? std::optional(round)
               : std::nullopt;
}

enum Phase : uint8_t { kBegin, kDone };
struct Message {
    char store;  // 'P' or 'M'
    Phase phase;
    uint32_t round;
};

// One store's saves, rounds from `first` on, until the saver is killed.
template <typename Store>
[[noreturn]] void SaveRounds(Store& store, char kind, uint32_t first, int pipe) {
    auto say = [&](Phase phase, uint32_t round) {
        const Message message{kind, phase, round};
        if (::write(pipe, &message, sizeof message) != sizeof message) ::_exit(3);
    };
    store.Load();
    for (uint32_t round = first;; ++round) {
        PutRound(store, round);
        say(kBegin, round);
        if (!store.Save()) ::_exit(4);
        say(kDone, round);
    }
}

// The saver: the two stores on two threads, as the program saves them from its window thread
// and its apply worker.
[[noreturn]] void Save(const std::string& data, uint32_t first, int pipe) {
    std::thread macro_saver([&] {
        MacroStore macros(data, StoreText);
        SaveRounds(macros, 'M', first, pipe);
    });
    ProfileStore profiles(data, StoreText);
    SaveRounds(profiles, 'P', first, pipe);
}

// What a store may hold after a kill: the round it held, or the one being saved.
struct Expectation {
    uint32_t held = 0;
    std::optional<uint32_t> saving;
    bool Allows(uint32_t round) const { return round == held || round == saving; }
    std::string Text() const {
        return std::to_string(held) + (saving ? " or " + std::to_string(*saving) : "");
    }
};

class CrashCheck {
public:
    CrashCheck(std::string data, unsigned seed) : data_(std::move(data)), random_(seed) {}

    bool Run(int kills) {
        FirstRound();
        for (int kill = 1; kill <= kills; ++kill) {
            KillASaver();
            if (!CheckStores(kill)) return false;
        }
        std::printf(
            "%d kills: 0 unloadable or mixed stores; killed while saving %d profile "
            "stores and %d macro stores; the stores reached round %u\n",
            kills, torn_profiles_, torn_macros_, profiles_.held);
        return true;
    }

private:
    void FirstRound() {
        ProfileStore profiles(data_, StoreText);
        profiles.Load();
        PutRound(profiles, 0);
        MacroStore macros(data_, StoreText);
        PutRound(macros, 0);
        if (!profiles.Save() || !macros.Save()) std::exit(2);
    }

    void KillASaver() {
        int pipe[2];
        if (::pipe(pipe) != 0) std::exit(2);
        const uint32_t first = std::max(profiles_.held, macros_.held) + 1;
        const pid_t saver = ::fork();
        if (saver < 0) std::exit(2);
        if (saver == 0) {
            ::close(pipe[0]);
            Save(data_, first, pipe[1]);
        }
        ::close(pipe[1]);
        // Let it get some messages in (none: a kill while it loads), then a little more.
        const int messages = std::uniform_int_distribution(0, 8)(random_);
        for (int i = 0; i < messages; ++i) Receive(pipe[0]);
        ::usleep(std::uniform_int_distribution(0, 3000)(random_));
        ::kill(saver, SIGKILL);
        int status = 0;
        ::waitpid(saver, &status, 0);
        while (Receive(pipe[0])) {
        }
        ::close(pipe[0]);
        if (!WIFSIGNALED(status)) {
            std::fprintf(stderr, "the saver ended by itself (status %d)\n", status);
            std::exit(1);
        }
        torn_profiles_ += profiles_.saving ? 1 : 0;
        torn_macros_ += macros_.saving ? 1 : 0;
    }

    bool Receive(int pipe) {
        Message message{};
        if (::read(pipe, &message, sizeof message) != sizeof message) return false;
        Expectation& store = message.store == 'P' ? profiles_ : macros_;
        if (message.phase == kDone) store.held = message.round;
        store.saving = message.phase == kBegin ? std::optional(message.round) : std::nullopt;
        return true;
    }

    bool CheckStores(int kill) {
        ProfileStore profiles(data_, StoreText);
        profiles.Load();
        const auto profile_round = profiles.Edit([](ProfileList& list, ProfileStoreHeader& header) {
            const auto round = WholeRound(list, 'P', FillProfiles);
            const bool index_right =
                round && header.current_profile_index == static_cast<int32_t>(*round % list.size());
            return index_right ? round : std::nullopt;
        });
        MacroStore macros(data_, StoreText);
        macros.Load();
        const auto macro_round =
            macros.Edit([](MacroList& list) { return WholeRound(list, 'M', FillMacros); });
        bool good = Verdict(kill, "profile", profile_round, profiles_) &
                    Verdict(kill, "macro", macro_round, macros_);
        for (const auto& entry : std::filesystem::directory_iterator(data_ + kStoreFolder)) {
            const std::string name = entry.path().filename().string();
            if (name == "pro.data" || name == "macro.data" || name == "stores.lock") continue;
            std::fprintf(stderr, "kill %d: %s is left beside the stores\n", kill, name.c_str());
            good = false;
        }
        return good;
    }

    static bool Verdict(int kill, const char* store, std::optional<uint32_t> round,
                        Expectation& expectation) {
        if (round && expectation.Allows(*round)) {
            expectation = {*round, std::nullopt};
            return true;
        }
        std::fprintf(stderr, "kill %d: the %s store holds %s, expected round %s\n", kill, store,
                     round ? ("round " + std::to_string(*round)).c_str()
                           : "no whole round (unloadable or mixed)",
                     expectation.Text().c_str());
        return false;
    }

    std::string data_;
    std::mt19937 random_;
    Expectation profiles_;
    Expectation macros_;
    int torn_profiles_ = 0;
    int torn_macros_ = 0;
};

}  // namespace
}  // namespace nimba

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 0;
    if (kills <= 0) {
        std::fprintf(stderr, "usage: %s KILLS [SEED]\n", argv[0]);
        return 2;
    }
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                   : std::random_device{}();
    std::printf("seed %u\n", seed);
    std::fflush(stdout);
    const nimba::testing::TestFolder folder;
    return nimba::CrashCheck(folder.path(), seed).Run(kills) ? 0 : 1;
}
