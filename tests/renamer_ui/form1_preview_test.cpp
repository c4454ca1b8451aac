#include "started_form.h"

#include <QAccessible>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <gtest/gtest.h>

using quillmere::Form1;

namespace {

QString description(QWidget* button)
{
    return QAccessible::queryAccessibleInterface(button)->text(QAccessible::Description);
}

// The tooltip the toolkit shows when the pointer rests on the button.
QString toolTip(QWidget* button)
{
    QHelpEvent event(QEvent::ToolTip, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(button, &event);
    return QToolTip::text();
}

} // namespace

// Each mode button tells what pressing it now would do; every change of the
// boxes or the work list shows at the next look.
TEST(Form1Preview, ModeButtonsTellWhatTheyWouldDoNow)
{
    Started s({"写真1.jpg", "写真2.jpg", "tool.exe"});
    Form1& f = *s.form;
    f.show();
    const std::tuple<const char*, std::function<void()>, QPushButton*, const char*> rows[] = {
        {"prefix typed", [&] { QTest::keyClicks(f.Text6, "P_"); }, f.Command6,
         "写真1.jpg → P_写真1.jpg\n写真2.jpg → P_写真2.jpg\n1 件はそのまま（exe, bat, com, dll）"},
        {"check box ticked", [&] { f.Text11->setText("1"), f.Check1->setChecked(true); }, f.Command10,
         "写真1.jpg → .jpg\n1 件はそのまま（exe, bat, com, dll）"},
        {"names appended", [&] { f.Dirlist_Click(); }, f.Command6,
         "写真1.jpg → P_写真1.jpg\n写真2.jpg → P_写真2.jpg\n2 件はそのまま（exe, bat, com, dll）"},
        {"work list emptied", [&] { f.List1->clear(); }, f.Command6, "変わるファイル名はありません"},
        {"unusable parameter", [&] { f.Text2->setText("3x"); }, f.Command1, "N（挿入位置）には数を入れて下さい。"},
    };
    for (const auto& [what, change, button, text] : rows) {
        SCOPED_TRACE(what);
        change();
        EXPECT_EQ(description(button).toStdString(), text);
        EXPECT_EQ(QTextDocumentFragment::fromHtml(toolTip(button)).toPlainText().toStdString(), text);
    }
    EXPECT_EQ(std::pair(description(f.Command3), s.dir.names()), std::pair(QString(), QStringList{"tool.exe", "写真1.jpg", "写真2.jpg"}));
}

// A screen reader presses a mode button as the user would.
TEST(Form1Preview, AScreenReaderCanPressAModeButton)
{
    Started s({"a.txt"});
    QTest::keyClicks(s.form->Text6, "P_");
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(s.form->Command6);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(std::tuple(button->role(), button->text(QAccessible::Name), s.dir.names()),
              std::tuple(QAccessible::Button, s.form->Command6->text(), QStringList{"P_a.txt", "modosu.bat"}));
}
