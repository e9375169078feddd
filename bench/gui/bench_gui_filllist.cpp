// Listing a folder of 100,000 entries (build the rows, sort them by name,
// reset the view and draw it), and re-sorting it by a header click, side by
// side with std::sort of the same names under the same comparison.
#include "GuiBenchSupport.h"

#include "app/OpenArchives.h"
#include "app/SortFunctions.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> NamesInIndexOrder() {
    const auto vorn = OpenVornFile(HundredThousandFileArchive());
    const uint32_t root = vorn->GetRootOffset();
    std::vector<std::string> names;
    for (uint32_t i = 0, count = vorn->GetChildCount(root); i < count; ++i) {
        uint32_t child = 0;
        vorn->GetChild(root, i, child);
        names.push_back(vorn->GetName(child));
    }
    return names;
}

void BM_SortNames(benchmark::State& state) {
    const std::vector<std::string> names = NamesInIndexOrder();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> copy = names;
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end(),
                  [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
        benchmark::DoNotOptimize(copy.data());
    }
}

// A shown window listing the archive's root (100,000 rows).
struct TListingWindow {
    QTemporaryDir Settings;
    std::unique_ptr<TfrmMain> Window;
    TListingWindow() {
        TMainWindowOptions options;
        options.SettingsFileName = Settings.filePath("Pellory2.ini");
        options.PluginFolder = Settings.filePath("plugins/");
        Window = std::make_unique<TfrmMain>(options);
        Window->show();
        Window->OpenFile(HundredThousandFileArchive());
        QCoreApplication::processEvents();
    }
};

void BM_FillFileList(benchmark::State& state) {
    TListingWindow listing;
    TfrmMain& window = *listing.Window;
    const uint32_t root = window.CurrentArchive()->GetRootOffset();
    for (auto _ : state) {
        window.FillFileList(root);
        window.repaint();
    }

}

void BM_HeaderClickResort(benchmark::State& state) {
    TListingWindow listing;
    TfrmMain& window = *listing.Window;
    for (auto _ : state) {
        window.ColumnClick(0);  // "Name": reverses the order each time
        window.repaint();
    }
}

}  // namespace

BENCHMARK(BM_SortNames)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FillFileList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_HeaderClickResort)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv,
                            {{"BM_FillFileList", "BM_SortNames", 3.0}, {"BM_HeaderClickResort", "BM_SortNames", 3.0}});
}
