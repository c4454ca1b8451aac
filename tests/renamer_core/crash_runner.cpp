// A slow prefix run over the working directory that prints each counter value, so a test can act while it runs.
#include "platform/listing.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include <QThread>
#include <cstdio>

int main()
{
    const auto names = platform::listFiles(platform::workingDirectory());
    const auto progress = [](int c) { std::printf("%d\n", c); std::fflush(stdout); QThread::usleep(1000); };
    const auto prefix = [](const QString& name, int) { return renamer::addPrefix(name, QStringLiteral("P_")); };
    return names && renamer::runRename(*names, prefix, {.refreshEveryEntry = true, .progress = progress}).stop
        == renamer::RunReport::Stop::None ? 0 : 1;
}
