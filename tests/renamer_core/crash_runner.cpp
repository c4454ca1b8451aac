// Runs a prefix run over the working directory's files, slowly, and tells
// the caller each counter value, so a test can kill it part-way.
#include "platform/listing.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv)
{
    const long pauseMicroseconds = argc > 1 ? std::atol(argv[1]) : 2000;
    const auto names = platform::listFiles(platform::workingDirectory());
    if (!names)
        return 2;
    renamer::RunOptions options;
    options.refreshEveryEntry = true;
    options.progress = [&](int counter) {
        std::printf("%d\n", counter);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::microseconds(pauseMicroseconds));
    };
    const auto transform = [](const QString& name, int) { return renamer::addPrefix(name, QStringLiteral("P_")); };
    const renamer::RunReport report = renamer::runRename(*names, transform, options);
    return report.stop == renamer::RunReport::Stop::None ? 0 : 1;
}
