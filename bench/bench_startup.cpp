// Start-up as whole processes, started in turns, so a change in the machine's load hits all
// alike. The editor on a full catalogue is timed to its first frame against the same program in
// an empty folder (the window's own cost, every control, font and menu), and an empty main window
// of the same size is shown for reference. Peak memory is compared once each program is done
// with what it does after its first frame: the editor, its window filled, its screenshot shown
// and its dictionary open, against an empty window that opens the same dictionary. Printed are
// the medians, and the editor's as multiples of its baselines.
//
// Usage: bench_startup [rounds]   (default 30)

#include "FullCatalogue.h"

#include <QGuiApplication>
#include <QTemporaryDir>

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

Run runProcess(const std::string &program, const std::string &folder = ".", const char *option = nullptr)
{
    int output[2];
    if (::pipe(output) != 0)
        fail(program, "no pipe");
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions, output[0]);
    ::posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    char *argv[] = {const_cast<char *>(program.c_str()), const_cast<char *>(option), nullptr};
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
    const std::string dictionaryWindow = folder + "/startup_dictionarywindow";

    Series editorRuns;
    Series emptyFolderRuns;
    Series emptyWindowRuns;
    Series settledRuns;
    Series dictionaryRuns;
    {
        QGuiApplication application(argc, argv);
        const QTemporaryDir emptyFolder;
        const FullCatalogue catalogue;
        const std::string catalogueFolder = catalogue.path().toStdString();
        const std::string nothing = emptyFolder.path().toStdString();
        // The first start of each fills the file cache; it is not counted.
        runProcess(emptyWindow);
        runProcess(editor, nothing);
        runProcess(editor, catalogueFolder);
        runProcess(dictionaryWindow);
        for (int round = 0; round < rounds; ++round) {
            const bool editorFirst = round % 2 == 0;
            if (editorFirst)
                editorRuns.add(runProcess(editor, catalogueFolder));
            emptyFolderRuns.add(runProcess(editor, nothing));
            emptyWindowRuns.add(runProcess(emptyWindow));
            if (!editorFirst)
                editorRuns.add(runProcess(editor, catalogueFolder));
            if (editorFirst)
                settledRuns.add(runProcess(editor, catalogueFolder, "--settled"));
            dictionaryRuns.add(runProcess(dictionaryWindow));
            if (!editorFirst)
                settledRuns.add(runProcess(editor, catalogueFolder, "--settled"));
        }
    }

    std::printf("Start-up, median of %d runs each:\n", rounds);
    std::printf("  %-44s %14s %14s %14s\n", "", "first frame", "whole process", "peak memory");
    const auto print = [](const char *what, const Series &runs) {
        std::printf("  %-44s %11.1f ms %11.1f ms %10.1f MiB\n", what, median(runs.firstFrameMs),
                    median(runs.milliseconds), median(runs.peakMiB));
    };
    print("editor on a 70-item catalogue", editorRuns);
    print("editor in an empty folder", emptyFolderRuns);
    print("empty 755x598 main window", emptyWindowRuns);
    print("editor settled (filled, dictionary open)", settledRuns);
    print("empty window that opens the dictionary", dictionaryRuns);
    std::printf("First frame on the catalogue as a multiple of the editor in an empty folder: %.2fx\n",
                median(editorRuns.firstFrameMs) / median(emptyFolderRuns.firstFrameMs));
    std::printf("First frame on the catalogue as a multiple of the empty window: %.2fx\n",
                median(editorRuns.firstFrameMs) / median(emptyWindowRuns.firstFrameMs));
    std::printf("Peak memory settled as a multiple of the window that opens the dictionary: %.2fx\n",
                median(settledRuns.peakMiB) / median(dictionaryRuns.peakMiB));
    return 0;
}
