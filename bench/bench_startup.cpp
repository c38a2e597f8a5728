// Start-up as whole processes: the editor on a full catalogue against an empty main window of
// the same size, each ending after its first frame (startup_editor, startup_emptywindow). The two
// are started in turns, so a change in the machine's load hits both alike. Printed are the medians
// of the time to the first frame, of the whole process's wall time and of its peak resident
// memory, with the editor's as a multiple of the empty window's.
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
    double firstFrameMs = 0;
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

[[noreturn]] void fail(const std::string &program, const char *what)
{
    std::fprintf(stderr, "%s: %s\n", program.c_str(), what);
    std::exit(1);
}

Run runProcess(const std::string &program)
{
    int output[2];
    if (::pipe(output) != 0)
        fail(program, "no pipe");
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, output[0]);
    char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
    const double start = now();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (spawned != 0)
        fail(program, "cannot start");
    std::string printed;
    char buffer[64];
    for (ssize_t got; (got = ::read(output[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, std::size_t(got));
    ::close(output[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double elapsed = now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || printed.empty())
        fail(program, "did not end cleanly after its first frame");
    const double firstFrame = double(std::stoll(printed)) / 1e6 - start;
    return {firstFrame, elapsed, double(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Series {
    std::vector<double> firstFrameMs;
    std::vector<double> milliseconds;
    std::vector<double> peakMiB;

    void add(const Run &run)
    {
        firstFrameMs.push_back(run.firstFrameMs);
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

    std::printf("Start-up, median of %d runs each:\n", rounds);
    std::printf("  %-32s %14s %14s %14s\n", "", "first frame", "whole process", "peak memory");
    std::printf("  %-32s %11.1f ms %11.1f ms %10.1f MiB\n", "editor on a 70-item catalogue",
                median(editorRuns.firstFrameMs), median(editorRuns.milliseconds), median(editorRuns.peakMiB));
    std::printf("  %-32s %11.1f ms %11.1f ms %10.1f MiB\n", "empty 755x598 main window", median(emptyRuns.firstFrameMs),
                median(emptyRuns.milliseconds), median(emptyRuns.peakMiB));
    std::printf("  %-32s %13.2fx %13.2fx %13.2fx\n", "editor as a multiple of empty",
                median(editorRuns.firstFrameMs) / median(emptyRuns.firstFrameMs),
                median(editorRuns.milliseconds) / median(emptyRuns.milliseconds),
                median(editorRuns.peakMiB) / median(emptyRuns.peakMiB));
    return 0;
}
