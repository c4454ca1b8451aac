#include "platform/text_file.h"
#include "temp_env.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode;
    QString out;
};

Outcome runUndo(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QM_UNDO_PROGRAM), args);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
}

TEST(UndoProgram, ExitCodes)
{
    struct Case {
        const char* name;
        QByteArray script;   // empty: no script
        QStringList args;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {"all restored", "ren    b    a\r\n", {}, 0, "1 件の名前を元に戻しました。"},
        {"one line failed", "ren    b    a\r\nren    c    d\r\n", {}, 1, "1 件はできませんでした。"},
        {"no script", {}, {}, 2, "modosu.bat が見つかりません。"},
        {"not code page 932", "ren    \xFF    a\r\n", {}, 2, "modosu.bat を読めません。"},
        {"named script", "ren    b    a\r\n", {"other.bat"}, 0, "1 件の名前を元に戻しました。"},
    };
    for (const auto& c : cases) {
        testsupport::TempWorkDir dir;
        dir.write("b", "b");
        if (!c.script.isEmpty())
            dir.write(c.args.isEmpty() ? "modosu.bat" : c.args.front(), c.script);
        const Outcome outcome = runUndo(c.args);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.name;
        EXPECT_TRUE(outcome.out.contains(QString::fromUtf8(c.says))) << c.name << ": " << outcome.out.toStdString();
    }
}

} // namespace
