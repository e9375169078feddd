#include "GuiBenchSupport.h"

#include "VornWriter.h"
#include "ui/PelloryApplication.h"
#include "viewers/FormatRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

QString DataFile(const QString& name) {
    QDir().mkpath(PELLORY_GUI_BENCH_DATA);
    return QDir(PELLORY_GUI_BENCH_DATA).filePath(name);
}

void SaveOnce(const QString& path, const std::function<TVornPlan()>& makePlan) {
    if (QFileInfo::exists(path)) return;
    std::fprintf(stderr, "writing %s (first run only)\n", qPrintable(path));
    const QString partial = path + ".part";
    BuildVorn(makePlan()).Save(QFile::encodeName(partial).toStdString());
    QFile::rename(partial, path);
}

// Mean real time per iteration of each benchmark run, by name.
class TCapturingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                Seconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
    }
    std::map<std::string, double> Seconds;
};

}  // namespace

QString MillionFileArchive() {
    const QString path = DataFile("gui-million.kvres");
    SaveOnce(path, [] {
        TVornPlan plan;
        char name[32];
        for (int area = 0; area < 100; ++area) {
            std::snprintf(name, sizeof name, "area%02d", area);
            TEntryPlan& areaDir = plan.Root.AddDir(name);
            for (int zone = 0; zone < 100; ++zone) {
                TEntryPlan* folder = &areaDir;  // the area is the 100th folder
                if (zone < 99) {
                    std::snprintf(name, sizeof name, "zone%02d", zone);
                    folder = &areaDir.AddDir(name);
                }
                for (int file = 0; file < 100; ++file) {
                    std::snprintf(name, sizeof name, "obj%05d.dat", file + 100 * zone);
                    folder->AddFile(name, TBytes{});
                }
            }
        }
        return plan;
    });
    return path;
}

QString HundredThousandFileArchive() {
    const QString path = DataFile("gui-hundred-thousand.kvres");
    SaveOnce(path, [] {
        static const char* const extensions[] = {".txt", ".bmp", ".raw", ".cfg", ".dat", ".lua", ".wav"};
        std::vector<int> order(100000);
        for (int i = 0; i < 100000; ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), std::mt19937(42));
        TVornPlan plan;
        char name[40];
        for (int i : order) {
            std::snprintf(name, sizeof name, "%s_item%06d%s", i % 3 ? "Map" : "tex", i, extensions[i % 7]);
            plan.Root.AddFile(name, TBytes{}).Time(FileTimeOf(2004, 1 + i % 12, 1 + i % 28, i % 24));
        }
        return plan;
    });
    return path;
}

int RunGuiBenchmarks(int argc, char** argv, const std::vector<TRatioGoal>& goals) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    RegisterBuiltinFormats();
    TPelloryApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TCapturingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-34s %-30s %9s %6s %s\n", "ours", "side by side with", "ratio", "goal", "result");
    for (const TRatioGoal& goal : goals) {
        const auto ours = reporter.Seconds.find(goal.Ours);
        const auto peer = reporter.Seconds.find(goal.Peer);
        if (ours == reporter.Seconds.end() || peer == reporter.Seconds.end()) continue;
        const double ratio = ours->second / peer->second;
        std::printf("%-34s %-30s %8.2fx %5.1fx %s\n", goal.Ours.c_str(), goal.Peer.c_str(), ratio, goal.Goal,
                    ratio <= goal.Goal ? "met" : "MISSED");
    }
    benchmark::Shutdown();
    return 0;
}
