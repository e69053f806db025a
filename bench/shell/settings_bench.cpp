// Reading a large or hostile settings file: many keys in one section, many small sections,
// and repeated names in changing case. The argument is the file size in KiB; the time must
// grow with the size, not with its square (10 MiB well under a second).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/file_system.hpp"
#include "shell/ini_document.hpp"
#include "shell/settings_store.hpp"

namespace {

using pemu::shell::IniDocument;

// Keys Key0=..., Key1=... in sections of `keysPerSection` keys, until `bytes` are written.
std::string SettingsText(std::size_t bytes, int keysPerSection) {
    std::string text;
    text.reserve(bytes + 64);
    for (int n = 0; text.size() < bytes; ++n) {
        if (n % keysPerSection == 0)
            text += "[Section" + std::to_string(n / keysPerSection) + "]\r\n";
        text += "Key" + std::to_string(n) + "=" + std::to_string(n * 7) + "\r\n";
    }
    return text;
}

// Every name written three times with a different letter case: lookups that must match.
std::string RepeatedNamesText(std::size_t bytes) {
    std::string text = "[Value]\r\n";
    for (int n = 0; text.size() < bytes; ++n) {
        const std::string id = std::to_string(n / 3);
        const char* spelling[] = {"memory", "MEMORY", "Memory"};
        text += spelling[n % 3] + id + "=" + std::to_string(n) + "\r\n";
    }
    return text;
}

void Parse(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        IniDocument doc = IniDocument::Parse(text);
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void ManyKeysOneSection(benchmark::State& state) {
    Parse(state, SettingsText(static_cast<std::size_t>(state.range(0)) * 1024, 1 << 30));
}

void ManySections(benchmark::State& state) {
    Parse(state, SettingsText(static_cast<std::size_t>(state.range(0)) * 1024, 1));
}

void RepeatedNamesInChangingCase(benchmark::State& state) {
    Parse(state, RepeatedNamesText(static_cast<std::size_t>(state.range(0)) * 1024));
}

// Parse, look every key up again and write the file text: what one run does with it.
void ReadLookUpAndWrite(benchmark::State& state) {
    const std::string text = SettingsText(static_cast<std::size_t>(state.range(0)) * 1024, 100);
    for (auto _ : state) {
        IniDocument doc = IniDocument::Parse(text);
        for (int n = 0; n < 1000; ++n)
            benchmark::DoNotOptimize(
                doc.Get("SECTION" + std::to_string(n), "key" + std::to_string(n * 100)));
        std::string out = doc.Serialise();
        benchmark::DoNotOptimize(out);
    }
}

// The settings store opening a Pemu.ini of this size from disk, as the window does at start.
void OpenSettingsFile(benchmark::State& state) {
    const std::string folder =
        (std::filesystem::temp_directory_path() / "pemu-bench-XXXXXX").string();
    std::string made = folder;
    if (::mkdtemp(made.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = made + "/Pemu.ini";
    pemu::platform::WriteFileAtomically(
        path, SettingsText(static_cast<std::size_t>(state.range(0)) * 1024, 1000));
    for (auto _ : state) {
        pemu::shell::SettingsStore store(path);
        benchmark::DoNotOptimize(store.ReadInteger("Section0", "Key0", 0));
    }
    std::filesystem::remove_all(made);
}

constexpr int kSizes[] = {256, 1024, 10 * 1024};

void Sizes(benchmark::internal::Benchmark* b) {
    for (int kib : kSizes)
        b->Arg(kib);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(ManyKeysOneSection)->Apply(Sizes);
BENCHMARK(ManySections)->Apply(Sizes);
BENCHMARK(RepeatedNamesInChangingCase)->Apply(Sizes);
BENCHMARK(ReadLookUpAndWrite)->Apply(Sizes);
BENCHMARK(OpenSettingsFile)->Apply(Sizes);

}  // namespace
