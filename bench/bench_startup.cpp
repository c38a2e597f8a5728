// Start-up as whole processes: the editor on a full catalogue against an empty main window of
// the same size, each ending after its first frame (startup_editor, startup_emptywindow). The two
// are started in turns, so a change in the machine's load hits both alike; the medians of their
// wall times and of their peak resident memory are printed with the editor's as a multiple of
// the empty window's.
//
// Usage: bench_startup [rounds]   (default 30)

#include "FullCatalogue.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Run {
    double milliseconds = 0;
    double peakMiB = 0;
};

std::string programFolder()
{
    std::vector<char> path(4096);
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0)
        return ".";
    const std::string self(path.data(), std::size_t(length));
    return self.substr(0, self.rfind('/'));
}

double now()
{
    timespec time{};
    ::clock_gettime(CLOCK_MONOTONIC, &time);
    return double(time.tv_sec) * 1e3 + double(time.tv_nsec) / 1e6;
}

Run runProcess(const std::string &program)
{
    char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
    const double start = now();
    pid_t child = 0;
    if (::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double elapsed = now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not end cleanly\n", program.c_str());
        std::exit(1);
    }
    return {elapsed, double(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Series {
    std::vector<double> milliseconds;
    std::vector<double> peakMiB;

    void add(const Run &run)
    {
        milliseconds.push_back(run.milliseconds);
        peakMiB.push_back(run.peakMiB);
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::string folder = programFolder();
    const std::string editor = folder + "/startup_editor";
    const std::string emptyWindow = folder + "/startup_emptywindow";

    Series editorRuns;
    Series emptyRuns;
    {
        QGuiApplication application(argc, argv);
        const FullCatalogue catalogue;
        // The first start of each fills the file cache; it is not counted.
        runProcess(emptyWindow);
        runProcess(editor);
        for (int round = 0; round < rounds; ++round) {
            const bool editorFirst = round % 2 == 0;
            if (editorFirst)
                editorRuns.add(runProcess(editor));
            emptyRuns.add(runProcess(emptyWindow));
            if (!editorFirst)
                editorRuns.add(runProcess(editor));
        }
    }

    const double editorTime = median(editorRuns.milliseconds);
    const double emptyTime = median(emptyRuns.milliseconds);
    const double editorMemory = median(editorRuns.peakMiB);
    const double emptyMemory = median(emptyRuns.peakMiB);
    std::printf("Start-up to the first frame, median of %d runs each:\n", rounds);
    std::printf("  %-34s %8.1f ms %8.1f MiB\n", "editor on a 70-item catalogue", editorTime, editorMemory);
    std::printf("  %-34s %8.1f ms %8.1f MiB\n", "empty 755x598 main window", emptyTime, emptyMemory);
    std::printf("  %-34s %8.2fx    %8.2fx\n", "editor as a multiple of empty", editorTime / emptyTime,
                editorMemory / emptyMemory);
    return 0;
}
