// The window side of a rename run, and the restore and exit buttons.
#include "renamer/ui/form1.h"

#include "batch/restore_messages.h"
#include "batch/script_runner.h"
#include "batch/undo_line.h"
#include "renamer/core/rename_run.h"
#include "renamer/ui/folder_list.h"
#include "renamer/ui/input_messages.h"
#include "renamer/ui/run_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <variant>

namespace quillmere {
namespace {

const QString kScript = QString::fromUtf16(batch::kUndoScriptName);

// The counter display is repainted at most this often during a run.
constexpr qint64 kPaintIntervalMs = 33;

} // namespace

void Form1::Command2_Click() { runMode(Mode::RemoveTag); }
void Form1::Command6_Click() { runMode(Mode::Prefix); }
void Form1::Command5_Click() { runMode(Mode::Replace); }
void Form1::Command1_Click() { runMode(Mode::Insert); }
void Form1::Command7_Click() { runMode(Mode::DeleteAt); }
void Form1::Command10_Click() { runMode(Mode::DeleteBefore); }
void Form1::Command8_Click() { runMode(Mode::NumberFront); }
void Form1::Command9_Click() { runMode(Mode::NumberBehind); }

BoxTexts Form1::boxes() const
{
    BoxTexts b;
    b.text2 = Text2->text();
    b.text3 = Text3->text();
    b.text4 = Text4->text();
    b.text5 = Text5->text();
    b.text6 = Text6->text();
    b.text7 = Text7->text();
    b.text8 = Text8->text();
    b.text9 = Text9->text();
    b.text11 = Text11->text();
    b.check1 = Check1->isChecked();
    return b;
}

void Form1::runMode(Mode mode)
{
    const auto params = readBoxes(mode, boxes());
    if (const BoxRefusal* refusal = std::get_if<BoxRefusal>(&params)) {
        tell(QMessageBox::Warning, refusalMessage(*refusal));
        return;
    }
    const renamer::PreparedRun run = renamer::prepareRun(std::get<renamer::ModeParams>(params), List1->count());

    // A restore still renaming in this folder would race the run.
    restore_->wait();

    copyWorkListToTable();
    const int n = std::min(List1->count(), renamer::kNameTableSize);
    QStringList oldNames;
    oldNames.reserve(n);
    for (int i = 0; i < n; ++i)
        oldNames.append(nameTable_[std::size_t(i)]);

    // The window takes no input during a run; only the counter is painted,
    // and not more often than the eye can follow.
    QElapsedTimer sincePaint;
    auto paintCounter = [this](int counter) {
        Command4->show();
        Command4->setText(QString::number(counter));
        Command4->repaint();
    };
    renamer::RunOptions options;
    options.scriptName = kScript;
    options.refreshEveryEntry = run.refreshEveryEntry;
    options.listed = &File1.asRead();
    options.progress = [&](int counter) {
        if (sincePaint.isValid() && sincePaint.elapsed() < kPaintIntervalMs)
            return;
        paintCounter(counter);
        sincePaint.start();
    };
    const renamer::RunReport report = renamer::runRename(oldNames, run.transform, options);
    using Stop = renamer::RunReport::Stop;
    if (report.stop == Stop::Busy || report.stop == Stop::ScriptNotCreated) {
        // Nothing was renamed: the window stays as it was, like a refused parameter.
        tell(QMessageBox::Warning, runMessage(report));
        return;
    }

    paintCounter(report.attempts);
    Label5->setText(QStringLiteral("のデータを処理しました． 終了ボタンを押して下さい．フォルダをクリックするとファイルが表示されます．"));
    Dirlist->refresh();
    List1->clear();
    File1.refresh();
    List1->update();
    Command3->setFocus();
    show();
    raise();
    activateWindow();

    const QString message = runMessage(report);
    if (!message.isEmpty())
        tell(renamer::runWentWrong(report) ? QMessageBox::Warning : QMessageBox::Information, message);
}

void Form1::Command12_Click()
{
    restore_->start(kScript);   // does nothing while a restore still runs
}

void Form1::restoreFinished(const batch::RestoreReport& report)
{
    // Without a console window the user would never know what happened.
    tell(batch::restoreWentWrong(report) ? QMessageBox::Warning : QMessageBox::Information,
         batch::restoreMessage(report, kScript));
}

void Form1::Command3_Click()
{
    restore_->wait();
    renamer::removeUndoScript(kScript);
    QApplication::quit();
}

} // namespace quillmere
