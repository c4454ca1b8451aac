// A slow prefix run over the working directory that prints each counter value,
// so that a test can kill it part-way.
#include "platform/listing.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv)
{
    const auto pause = std::chrono::microseconds(argc > 1 ? std::atol(argv[1]) : 2000);
    const auto names = platform::listFiles(platform::workingDirectory());
    if (!names)
        return 2;
    const auto progress = [&](int c) { std::printf("%d\n", c); std::fflush(stdout); std::this_thread::sleep_for(pause); };
    const auto transform = [](const QString& name, int) { return renamer::addPrefix(name, QStringLiteral("P_")); };
    const auto report = renamer::runRename(*names, transform, {.refreshEveryEntry = true, .progress = progress});
    return report.stop == renamer::RunReport::Stop::None ? 0 : 1;
}
