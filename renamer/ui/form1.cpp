#include "renamer/ui/form1.h"

#include "batch/script_runner.h"
#include "memorial/form5.h"
#include "memorial/greeting.h"
#include "platform/fonts.h"
#include "platform/listing.h"
#include "platform/text_file.h"
#include "platform/today.h"
#include "renamer/core/rename_run.h"
#include "renamer/ui/folder_list.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace quillmere {

Form1::Form1(Options options, QWidget* parent)
    : QWidget(parent)
    , File1(platform::workingDirectory())
    , today_(options.today.isEmpty() ? platform::todayText() : options.today)
    , message_(std::move(options.message))
    , nameTable_(renamer::kNameTableSize)
    , restore_(std::make_unique<batch::ScriptRunner>())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ファイルネーム一括変更"));
    setFont(platform::gothicFont(9));
    setFixedSize(924, 348);

    buildControls();
    setFocusOrder();
    nameControls();
    setUpPreviews();
    connectHandlers();
    Form_Load();
    fitFonts();
    Command2->setFocus();
}

Form1::~Form1()
{
    // The lists outlive this destructor and still signal on their way out.
    List1->model()->disconnect(this);
    Dirlist->disconnect(this);
}

Form5* Form1::greeting() const
{
    return greeting_.data();
}

bool Form1::restoreRunning() const
{
    return restore_->isRunning();
}

void Form1::connectHandlers()
{
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Command10, &QPushButton::clicked, this, &Form1::Command10_Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Command12, &QPushButton::clicked, this, &Form1::Command12_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);

    connect(Dirlist, &FolderList::changed, this, &Form1::Dirlist_Change);
    connect(Dirlist, &FolderList::clicked, this, &Form1::Dirlist_Click);
    connect(Dirlist, &FolderList::keyReleased, this, &Form1::Dirlist_KeyUp);
    connect(Dirlist, &FolderList::focusLost, this, &Form1::Dirlist_LostFocus);
    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    // Once a run has emptied the work list, a full list is news again.
    const auto emptied = [this] {
        if (List1->count() == 0)
            fullTold_ = false;
    };
    connect(List1->model(), &QAbstractItemModel::modelReset, this, emptied);
    connect(List1->model(), &QAbstractItemModel::rowsRemoved, this, emptied);

    connect(restore_.get(), &batch::ScriptRunner::finished, this, &Form1::restoreFinished);
}

void Form1::Form_Load()
{
    Command4->hide();
    Text1->setText(Dirlist->path());
    Text1->setCursorPosition(0);
    for (QLineEdit* box : {Text2, Text3, Text4, Text5, Text6})
        box->clear();
    Text7->setText(QStringLiteral("1"));
    Text8->setText(QStringLiteral("1"));
    Text9->setText(QStringLiteral("8"));
    Label5->clear();
    Label7->setText(QStringLiteral("ファイル名を右の７形式で変更します．"));
    Label7->adjustSize();
    Label12->setText(QStringLiteral("テキストボックスに書き込んだ後，右のボタンをクリックして下さい．"));
    Label20->setText(QStringLiteral("（注意：exe,com,bat,dll以外は全てが対象になります！）"));
    Label20->adjustSize();
    Command3->setText(QStringLiteral("終　了"));
    Command4->setText(QString());
    appendFileList();
    greeting_ = greetIfDue(today_, this);
}

// ---- folder browsing and the work list ----

void Form1::appendFileList()
{
    const QStringList& names = File1.names();
    const int room = std::max(0, renamer::kNameTableSize - List1->count());
    const int taken = std::min(int(names.size()), room);
    if (taken == int(names.size()))
        List1->addItems(names);
    else
        List1->addItems(names.mid(0, taken));
    // Once per full list: every click or key in the folder list would say it
    // again, and the key that closes the message is released there.
    if (taken < names.size() && !fullTold_) {
        fullTold_ = true;
        tell(QMessageBox::Warning,
             QStringLiteral("一覧に入るファイル名は%1件までです。%2件のファイル名は追加しませんでした。")
                 .arg(renamer::kNameTableSize)
                 .arg(names.size() - taken));
    }
}

void Form1::copyWorkListToTable()
{
    const int n = std::min(List1->count(), renamer::kNameTableSize);
    for (int i = 0; i < n; ++i)
        nameTable_[std::size_t(i)] = List1->item(i)->text();
}

void Form1::Dirlist_Change()
{
    // The undo script belongs to the working directory, whatever is browsed.
    renamer::removeUndoScript();
    File1.setFolder(Dirlist->path());
    List1->update();
}

void Form1::Dirlist_Click()
{
    // The names as they are now: a restore may have renamed them back.
    File1.refreshIfChanged();
    appendFileList();
    copyWorkListToTable();
}

void Form1::Dirlist_KeyUp()
{
    Dirlist_Click();
}

void Form1::Dirlist_LostFocus()
{
    Dirlist->setPath(Dirlist->highlightedPath());
}

void Form1::Text1_Change()
{
    const QString path = Dirlist->path();
    if (Text1->text() != path) {
        Text1->setText(path);
        Text1->setCursorPosition(0);
    }
}

void Form1::tell(QMessageBox::Icon icon, const QString& text)
{
    if (message_) {
        message_(icon, text);
        return;
    }
    QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);   // the text may carry file names
    box.exec();
}

} // namespace quillmere
