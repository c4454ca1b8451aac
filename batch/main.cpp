// Runs an undo script of quillmere by hand: modosu.bat of the working
// directory, or the script named on the command line.
#include "batch/undo_script.h"

#include <QFile>
#include <QStringList>
#include <QTextStream>

namespace {

const char* const kUsage = "使い方: quillmere-undo [スクリプト]\n"
                           "quillmere が書いた元に戻すためのスクリプト（既定は modosu.bat）を、最後の行から順に実行します。\n"
                           "  --help     この説明を表示します\n"
                           "  --version  版を表示します\n"
                           "終了コード: 0 すべての行を実行した、1 実行できない行があった、2 スクリプトを実行しなかった\n";

} // namespace

int main(int argc, char** argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList given;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QFile::decodeName(argv[i]);
        if (options && arg == u"--") {
            options = false;
        } else if (options && arg == u"--help") {
            out << QString::fromUtf8(kUsage);
            return 0;
        } else if (options && arg == u"--version") {
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
    const QString named = given.value(0, QStringLiteral("modosu.bat"));

    const batch::RestoreReport report = batch::runUndoScript(named);
    const QString message = batch::restoreMessage(report).replace(QStringLiteral("modosu.bat"), named);
    (batch::restoreWentWrong(report) ? err : out) << message << Qt::endl;
    if (report.status != batch::RestoreReport::Status::Ran)
        return 2;
    return report.failures() > 0 || report.cutShort ? 1 : 0;
}
