// Runs a batch script of the two programs by hand: the undo script by
// default, or the one named on the command line.
#include "batch/script.h"

#include "platform/system_folder.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (argc > 2) {
        err << QStringLiteral("使い方: quillmere-undo [スクリプト]") << Qt::endl;
        return 2;
    }
    const QString named = argc == 2 ? QFile::decodeName(argv[1]) : QStringLiteral("modosu.bat");
    const QString path = platform::mapScriptPath(named);

    const batch::ScriptReport report = batch::runScript(named);
    if (!report.readable) {
        const bool there = QFileInfo::exists(path);
        err << named << (there ? QStringLiteral(" を読めません。") : QStringLiteral(" が見つかりません。")) << Qt::endl;
        return 2;
    }
    if (report.renamed > 0 || report.copied == 0)
        out << report.renamed << QStringLiteral(" 件の名前を元に戻しました。") << Qt::endl;
    if (report.copied > 0)
        out << report.copied << QStringLiteral(" 件のコピーをしました。") << Qt::endl;
    if (report.failed > 0)
        out << report.failed << QStringLiteral(" 件はできませんでした。") << Qt::endl;
    return report.failed > 0 ? 1 : 0;
}
