// Timings of the viewer windows. The hex viewer formats only the rows on
// screen, so opening and paging should cost the same for 1 KiB and 1 GiB;
// the text viewer's cost grows with the text, measured on 20 MB.
#include "viewers/FormHexViewer.h"
#include "viewers/FormTextViewer.h"
#include "viewers/TextLoading.h"
#include "viewers/ViewDispatch.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

// A decoded entry of `size` bytes with every byte written, as the reader leaves it.
TDataBuffer MakeEntry(uint32_t size) {
    TDataBuffer buffer;
    buffer.Data.reset(new uint8_t[size]);
    buffer.Size = size;
    std::memset(buffer.Data.get(), 0x5A, size);
    return buffer;
}

// Forces the window to lay out and paint now.
void Paint(QWidget* window) {
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window->grab());
}

// Opening: window, SetData, show and the first paint. The buffer is made and
// the window destroyed outside the timing.
void BM_HexViewerOpen(benchmark::State& state) {
    const auto size = uint32_t(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TDataBuffer entry = MakeEntry(size);
        state.ResumeTiming();
        auto* window = new TfrmViewerHex;
        window->SetData(std::move(entry), "entry.bin");
        window->show();
        Paint(window);
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HexViewerOpen)->Arg(1024)->Arg(1 << 30)->Iterations(8)->Unit(benchmark::kMillisecond);

// Paging: Page Down and repaint, wrapping to the top at the end.
void BM_HexViewerPageDown(benchmark::State& state) {
    const auto size = uint32_t(state.range(0));
    TfrmViewerHex window;
    window.SetData(MakeEntry(size), "entry.bin");
    window.show();
    Paint(&window);
    QScrollBar* bar = window.ScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
        Paint(&window);
    }
}
BENCHMARK(BM_HexViewerPageDown)->Arg(1024)->Arg(1 << 30)->Unit(benchmark::kMillisecond);

std::string MakeText(size_t size) {
    std::string text;
    text.reserve(size + 100);
    const char line[] = "speed = 3; the quick brown fox jumps over the lazy dog, line of a script\r\n";
    while (text.size() < size) text += line;
    text.resize(size);
    return text;
}

// Opening the text viewer: load, show, first paint; the rest of a long text
// is still being appended afterwards.
void BM_TextViewerOpen(benchmark::State& state) {
    const std::string text = MakeText(size_t(state.range(0)));
    for (auto _ : state) {
        auto* window = new TfrmViewerText;
        window->LoadData(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()));
        window->show();
        Paint(window);
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_TextViewerOpen)->Arg(20 << 20)->Iterations(3)->Unit(benchmark::kMillisecond);

// Until the whole text is in the text box; the counter gives the mean time
// of one slice, the longest the window is busy at a stretch.
void BM_TextViewerFullLoad(benchmark::State& state) {
    const std::string text = MakeText(size_t(state.range(0)));
    int64_t slices = 0;
    for (auto _ : state) {
        auto* window = new TfrmViewerText;
        window->LoadData(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()));
        window->show();
        Paint(window);
        while (window->IsLoading()) {
            QCoreApplication::processEvents();
            ++slices;
        }
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
    state.counters["slices"] = benchmark::Counter(double(slices), benchmark::Counter::kAvgIterations);
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_TextViewerFullLoad)->Arg(20 << 20)->Iterations(3)->Unit(benchmark::kMillisecond);

// The part of it that turns bytes into text.
void BM_TextDecode(benchmark::State& state) {
    const std::string text = MakeText(size_t(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            LoadEntryText(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size())));
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_TextDecode)->Arg(20 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
