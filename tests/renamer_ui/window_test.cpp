#include "form1_fixture.h"
#include "platform/fonts.h"
#include "renamer/ui/folder_list.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::twips;

QString textOf(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    return QStringLiteral("<none>");
}

struct Control {
    const char* name;
    int left, top, width, height;   // twips; width 0: sized to its text
    const char* text;
};

// The start-up texts too: no design text may be left over.
const Control kControls[] = {
    {"Label1", 360, 120, 3255, 330, "ファイル名一括変更"},
    {"Label14", 3840, 240, 990, 180, "(ver.3.13g)"},
    {"Text10", 360, 600, 5055, 270, "対象ファイルと同じフォルダにコピーして、実行して下さい。"},
    {"Label7", 240, 2640, 0, 0, "ファイル名を右の７形式で変更します．"},
    {"Label20", 360, 2880, 0, 0, "（注意：exe,com,bat,dll以外は全てが対象になります！）"},
    {"Label12", 360, 3120, 5055, 345, "テキストボックスに書き込んだ後，右のボタンをクリックして下さい．"},
    {"Command4", 240, 3600, 700, 252, ""},
    {"Label5", 1080, 3600, 4680, 1020, ""},
    {"Command12", 240, 4180, 852, 255, "復元"},
    {"Label23", 1080, 4220, 0, 0, " ボタンで直前のファイル名へ戻すことができます。"},
    {"Command3", 4680, 4560, 852, 372, "終　了"},
    {"Label8", 6000, 150, 0, 0, "１．拡張子の前の[ ]を削除します。"},
    {"Command2", 11160, 120, 2535, 252, "aa-bb[c].eee →　aa-bb.eee"},
    {"Label15", 6000, 600, 0, 0, "２．ファイル名の先頭に指定文字列(A)を加えます。"},
    {"Text6", 6360, 840, 4575, 270, ""},
    {"Command6", 11160, 840, 2535, 252, "cc.eee → Acc.eee"},
    {"Label10", 6000, 1320, 0, 0, "３．選択文字列(B)を指定文字列(C)に変更します。"},
    {"Text4", 6360, 1548, 4575, 270, ""},
    {"Text5", 6360, 1920, 4575, 270, ""},
    {"Command5", 11160, 1680, 2535, 252, "aaBdd.eee →　aaCdd.eee"},
    {"Label6", 6000, 2400, 0, 0, "４．N文字目に指定文字列(D)を挿入します。"},
    {"Text2", 6360, 2640, 492, 264, ""},
    {"Label13", 7200, 2670, 0, 0, "D："},
    {"Text3", 7440, 2640, 3495, 264, ""},
    {"Command1", 11160, 2640, 2535, 252, "N[3]　　D　→ aaDaacc.eee"},
    {"Label16", 6000, 3120, 0, 0, "５．N文字目からn文字分を削除します。(初期値はN：1，n：8)"},
    {"Label11", 6120, 3390, 0, 0, "N:"},
    {"Text7", 6600, 3360, 612, 264, "1"},
    {"Label22", 7560, 3390, 0, 0, "ｎ："},
    {"Text9", 7920, 3360, 732, 264, "8"},
    {"Command7", 11160, 3360, 2535, 252, "abcd.eee → bcd.eee"},
    {"Label17", 6000, 3840, 0, 0, "６．Nから始まる連番を付けます。(初期値は１）"},
    {"Text8", 6360, 4080, 612, 264, "1"},
    {"Command8", 9480, 4080, 1935, 252, "ファイル名の前に"},
    {"Command9", 11640, 4080, 2055, 252, "ファイル名の後に"},
    {"Label21", 6000, 4560, 0, 0, "７．指定文字の前までを全て削除します。（初期値は - ）"},
    {"Text11", 6480, 4800, 735, 270, "-"},
    {"Check1", 7440, 4800, 255, 255, ""},
    {"Label25", 7680, 4845, 0, 0, "指定文字も削除"},
    {"Command10", 11160, 4800, 2535, 252, "N[-]  abcd-x.eee → -x.eee"},
};

TEST(Form1Window, ControlsStandWhereTheyBelongWithTheirStartTexts)
{
    Form1Fixture f({"a.txt"});
    quillmere::Form1& form = f.open();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("ファイルネーム一括変更"));
    EXPECT_EQ(form.size(), QSize(924, 348));
    for (const Control& c : kControls) {
        SCOPED_TRACE(c.name);
        auto* w = form.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_TRUE(w);
        EXPECT_EQ(textOf(w), QString::fromUtf8(c.text));
        EXPECT_EQ(w->pos(), QPoint(twips(c.left), twips(c.top)));
        if (c.width > 0) {
            EXPECT_EQ(w->size(), QSize(twips(c.width), twips(c.height)));
        } else {
            EXPECT_GE(w->width(), w->fontMetrics().horizontalAdvance(textOf(w)));
        }
    }
    EXPECT_EQ(form.Text1->text(), f.dir.path());
    EXPECT_EQ(form.Dirlist->path(), f.dir.path());
    EXPECT_TRUE(form.Command4->isHidden());
    EXPECT_FALSE(form.Label19->text().isEmpty());
}

TEST(Form1Window, Fonts)
{
    Form1Fixture f;
    quillmere::Form1& form = f.open();
    struct Row { QWidget* widget; double points; bool bold; };
    for (const Row& row : {Row{form.Label1, 16.5, true}, Row{form.Label19, 11.25, false},
                           Row{form.Command2, 9, false}, Row{form.List1, 9, false}}) {
        SCOPED_TRACE(row.widget->objectName().toStdString());
        EXPECT_EQ(row.widget->font().family(), platform::gothicFamily());
        EXPECT_DOUBLE_EQ(row.widget->font().pointSizeF(), row.points);
        EXPECT_EQ(row.widget->font().bold(), row.bold);
    }
}

TEST(Form1Window, TabWalksTheModeRowsFirstAndSkipsHiddenCommand4)
{
    Form1Fixture f;
    quillmere::Form1& form = f.open();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const QStringList expected = {
        "Command2", "Text6", "Command6", "Text4", "Text5", "Command5", "Text2", "Text3", "Command1",
        "Text1", "Command3", "Dirlist", "List1", "Text7", "Command7", "Text8", "Command8", "Command9",
        "Command10", "Text9", "Command12", "Text10", "Text11", "Check1", "Command2"};
    QStringList walked;
    for (int i = 0; i < expected.size(); ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_TRUE(focus);
        walked.append(focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(walked, expected);
}

} // namespace
