// Runs an undo script of quillmere by hand: modosu.bat of the working
// directory, or the script named on the command line.
#include "batch/restore_messages.h"
#include "batch/undo_line.h"
#include "batch/undo_script.h"
#include "platform/system_folder.h"
#include "platform/working_dir.h"

#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace {

const char* const kUsage = "使い方: quillmere-undo [スクリプト]\n"
                           "quillmere が書いた元に戻すためのスクリプト（既定は modosu.bat）を、最後の行から順に実行します。\n"
                           "  -h, --help     この説明を表示します\n"
                           "  -V, --version  版を表示します\n"
                           "終了コード: 0 すべての行を実行した、1 実行できない行があった、2 スクリプトを実行しなかった\n";

// Reads the command line into `script`, or answers it here (help, version,
// misuse) and gives the exit status. Nothing here needs a display.
std::optional<int> readCommandLine(int argc, char** argv, QString& script)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList given;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QFile::decodeName(argv[i]);
        if (options && arg == u"--") {
            options = false;
        } else if (options && (arg == u"--help" || arg == u"-h")) {
            out << QString::fromUtf8(kUsage);
            return 0;
        } else if (options && (arg == u"--version" || arg == u"-V")) {
            out << "quillmere-undo " QM_VERSION "\n";
            return 0;
        } else if (options && arg.size() > 1 && arg.startsWith(u'-')) {
            err << QString::fromUtf8(kUsage);
            return 2;
        } else {
            given << arg;
        }
    }
    if (given.size() > 1) {
        err << QString::fromUtf8(kUsage);
        return 2;
    }
    script = given.value(0, QString::fromUtf16(batch::kUndoScriptName));
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    QString named;
    if (const auto status = readCommandLine(argc, argv, named))
        return *status;
    QTextStream out(stdout);
    QTextStream err(stderr);

    // The script's lines name files of its own folder, so it runs there,
    // whatever folder it was named from.
    QString script = platform::mapScriptPath(named);
    batch::RestoreReport report;
    if (const qsizetype slash = script.lastIndexOf(u'/'); slash >= 0) {
        const platform::EnterResult entered = platform::enterFolder(slash == 0 ? QStringLiteral("/") : script.left(slash));
        if (entered != platform::EnterResult::Entered)
            report.status = entered == platform::EnterResult::Missing ? batch::RestoreReport::Status::Missing
                                                                       : batch::RestoreReport::Status::Unreadable;
        script = script.mid(slash + 1);
    }
    if (report.status == batch::RestoreReport::Status::Ran)
        report = batch::runUndoScript(script);
    (batch::restoreWentWrong(report) ? err : out) << batch::restoreMessage(report, named) << Qt::endl;
    if (report.status != batch::RestoreReport::Status::Ran)
        return 2;
    return report.failures() > 0 || report.cutShort ? 1 : 0;
}
