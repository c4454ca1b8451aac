// One rename run over the working directory's files, in the mode named on
// the command line; given a delay, it kills itself that many microseconds
// into the run, wherever the run happens to be.
//   hardening_crash_runner prefix|front|behind|replace|insert DELAY_US
#include "platform/listing.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"

#include <QElapsedTimer>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <variant>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    using renamer::Mode;
    renamer::Boxes boxes;
    Mode mode;
    const char* name = argv[1];
    if (!std::strcmp(name, "prefix")) {
        mode = Mode::Prefix;
        boxes.text6 = QStringLiteral("X");
    } else if (!std::strcmp(name, "front") || !std::strcmp(name, "behind")) {
        mode = name[0] == 'f' ? Mode::NumberFront : Mode::NumberBehind;
        boxes.text8 = QStringLiteral("1");
    } else if (!std::strcmp(name, "replace")) {
        mode = Mode::Replace;
        boxes.text4 = QStringLiteral("f");
        boxes.text5 = QStringLiteral("F");
    } else if (!std::strcmp(name, "insert")) {
        mode = Mode::Insert;
        boxes.text2 = QStringLiteral("3");
        boxes.text3 = QStringLiteral("    ");
    } else {
        return 2;
    }
    const long delay = std::atol(argv[2]);

    const auto names = platform::listFiles(platform::workingDirectory());
    if (!names)
        return 2;
    const auto prepared = renamer::prepareRun(mode, boxes, int(names->size()));
    if (!std::holds_alternative<renamer::PreparedRun>(prepared))
        return 2;
    QElapsedTimer clock;
    clock.start();
    if (delay >= 0) {
        std::thread([delay] {
            std::this_thread::sleep_for(std::chrono::microseconds(delay));
            std::raise(SIGKILL);
        }).detach();
    }
    const auto report = renamer::runRename(*names, std::get<renamer::PreparedRun>(prepared).transform, {});
    // Attempts, renames, and how long the run took in microseconds.
    std::printf("%d %d %lld\n", report.attempts, report.renamed, clock.nsecsElapsed() / 1000);
    return report.stop == renamer::RunReport::Stop::None ? 0 : 1;
}
