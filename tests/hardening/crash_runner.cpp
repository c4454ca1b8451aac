// One rename run over the working directory, killed DELAY_US microseconds in
// (never when negative); prints how long it ran.
//   hardening_crash_runner prefix|front|behind|replace|insert DELAY_US
#include "platform/listing.h"
#include "renamer/core/rename_run.h"

#include <QElapsedTimer>

#include <csignal>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <variant>

int main(int argc, char** argv)
{
    using renamer::Mode;
    const std::map<std::string, Mode> modes{{"prefix", Mode::Prefix}, {"front", Mode::NumberFront},
        {"behind", Mode::NumberBehind}, {"replace", Mode::Replace}, {"insert", Mode::Insert}};
    const auto names = platform::listFiles(platform::workingDirectory());
    renamer::Boxes b;   // each mode reads its own boxes
    b.text6 = "X", b.text8 = "1", b.text4 = "f", b.text5 = "F", b.text2 = "3", b.text3 = "    ";
    if (argc != 3 || !modes.count(argv[1]) || !names)
        return 2;
    const auto run = std::get<renamer::PreparedRun>(renamer::prepareRun(modes.at(argv[1]), b, int(names->size())));
    QElapsedTimer clock;
    clock.start();
    if (const long delay = std::stol(argv[2]); delay >= 0)
        std::thread([delay] { std::this_thread::sleep_for(std::chrono::microseconds(delay)), std::raise(SIGKILL); }).detach();
    const auto report = renamer::runRename(*names, run.transform, {});
    std::printf("%lld\n", clock.nsecsElapsed() / 1000);
    return report.stop == renamer::RunReport::Stop::None ? 0 : 1;
}
