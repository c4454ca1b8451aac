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
    {"Command2", 11160, 120, 2535, 252, "aa-bb[c].eee →　aa-bb.eee"},
    {"Text6", 6360, 840, 4575, 270, ""},
    {"Command6", 11160, 840, 2535, 252, "cc.eee → Acc.eee"},
    {"Text4", 6360, 1548, 4575, 270, ""},
    {"Text5", 6360, 1920, 4575, 270, ""},
    {"Command5", 11160, 1680, 2535, 252, "aaBdd.eee →　aaCdd.eee"},
    {"Text2", 6360, 2640, 492, 264, ""},
    {"Label13", 7200, 2670, 0, 0, "D："},
    {"Text3", 7440, 2640, 3495, 264, ""},
    {"Command1", 11160, 2640, 2535, 252, "N[3]　　D　→ aaDaacc.eee"},
    {"Text7", 6600, 3360, 612, 264, "1"},
    {"Text9", 7920, 3360, 732, 264, "8"},
    {"Command7", 11160, 3360, 2535, 252, "abcd.eee → bcd.eee"},
    {"Text8", 6360, 4080, 612, 264, "1"},
    {"Command8", 9480, 4080, 1935, 252, "ファイル名の前に"},
    {"Command9", 11640, 4080, 2055, 252, "ファイル名の後に"},
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
        if (c.width > 0 && qobject_cast<QLabel*>(w)) {
            // A label may grow downwards to fit the stand-in font's taller lines.
            EXPECT_EQ(w->width(), twips(c.width));
            EXPECT_GE(w->height(), twips(c.height));
            EXPECT_LE(w->height(), twips(c.height) + 8);
        } else if (c.width > 0) {
            EXPECT_EQ(w->size(), QSize(twips(c.width), twips(c.height)));
        } else {
            EXPECT_GE(w->width(), w->fontMetrics().horizontalAdvance(textOf(w)));
        }
    }
    EXPECT_EQ(form.Text1->text(), f.dir.path());
    EXPECT_EQ(form.Dirlist->path(), f.dir.path());
    EXPECT_TRUE(form.Command4->isHidden());
    EXPECT_FALSE(form.Label19->text().isEmpty());

    EXPECT_EQ(form.Command2->font(), platform::gothicFont(9));
    EXPECT_EQ(form.Label1->font(), platform::gothicFont(16.5, true));
    EXPECT_EQ(form.Label19->font(), platform::gothicFont(11.25));
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
