// Opening an archive of 1,000,000 files in 10,000 folders until its folder
// tree is shown and its root listed, side by side with a plain read() of the
// archive's index bytes.
#include "GuiBenchSupport.h"

#include "archive/VornFileDef.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <memory>

namespace {

void BM_ReadIndexBytes(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(MillionFileArchive());
    TVornHeader header{};
    {
        const int fd = ::open(path.constData(), O_RDONLY);
        if (::pread(fd, &header, sizeof header, 0) != static_cast<ssize_t>(sizeof header))
            state.SkipWithError("cannot read the header");
        ::close(fd);
    }
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_RDONLY);
        std::unique_ptr<char[]> index(new char[header.m_IndexSize]);
        const ssize_t got = ::pread(fd, index.get(), header.m_IndexSize, header.m_DirSetOffset);
        ::close(fd);
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(index.get());
    }
    state.counters["index_MB"] = header.m_IndexSize / 1e6;
}

void BM_OpenUntilTreeShownAndRootListed(benchmark::State& state) {
    const QString path = MillionFileArchive();
    QTemporaryDir settings;
    TMainWindowOptions options;
    options.SettingsFileName = settings.filePath("Pellory2.ini");
    options.PluginFolder = settings.filePath("plugins/");
    TfrmMain window(options);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.OpenFile(path);
        window.repaint();
        state.PauseTiming();
        window.CloseAllArchives();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_ReadIndexBytes)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenUntilTreeShownAndRootListed)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    return RunGuiBenchmarks(argc, argv, {{"BM_OpenUntilTreeShownAndRootListed", "BM_ReadIndexBytes", 2.0}});
}
