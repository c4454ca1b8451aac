// The main window's controls: kinds, names, places (in twips), fonts and
// design texts. Behaviour lives in form1.cpp and form1_run.cpp.
#include "renamer/ui/form1.h"

#include "platform/fonts.h"
#include "renamer/ui/folder_list.h"
#include "renamer/ui/mode_button.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quillmere {
namespace {

using platform::twips;

void place(QWidget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

// A label of fixed width; its text wraps inside it.
QLabel* label(QWidget* parent, const char* name, int left, int top, int width, int height, const QString& text)
{
    auto* widget = new QLabel(text, parent);
    widget->setTextFormat(Qt::PlainText);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget->setWordWrap(true);
    place(widget, name, left, top, width, height);
    return widget;
}

// A label that takes the size of its text.
QLabel* fittedLabel(QWidget* parent, const char* name, int left, int top, const QString& text)
{
    auto* widget = new QLabel(text, parent);
    widget->setTextFormat(Qt::PlainText);
    widget->setObjectName(QString::fromLatin1(name));
    widget->move(twips(left), twips(top));
    widget->adjustSize();
    return widget;
}

QLineEdit* box(QWidget* parent, const char* name, int left, int top, int width, int height, const QString& text)
{
    auto* widget = new QLineEdit(text, parent);
    // The boxes are lower than Qt's default padding allows for.
    widget->setTextMargins(0, -2, 0, -2);
    widget->setCursorPosition(0);   // show the start of a long text
    place(widget, name, left, top, width, height);
    return widget;
}

template <class Button = QPushButton>
QPushButton* button(QWidget* parent, const char* name, int left, int top, int width, int height, const QString& text)
{
    auto* widget = new Button(text, parent);
    widget->setAutoDefault(false);
    place(widget, name, left, top, width, height);
    return widget;
}

QFrame* line(QWidget* parent, const char* name, int x1, int y1, int x2, int y2)
{
    auto* widget = new QFrame(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFrameShadow(QFrame::Plain);
    widget->setLineWidth(1);
    if (x1 == x2) {
        widget->setFrameShape(QFrame::VLine);
        widget->setGeometry(twips(x1), twips(y1), 1, twips(y2) - twips(y1) + 1);
    } else {
        widget->setFrameShape(QFrame::HLine);
        widget->setGeometry(twips(x1), twips(y1), twips(x2) - twips(x1) + 1, 1);
    }
    return widget;
}

} // namespace

void Form1::buildLeftSide()
{
    Label1 = label(this, "Label1", 360, 120, 3255, 330, QStringLiteral("ファイル名一括変更"));
    Label1->setFont(platform::gothicFont(16.5, true));
    Label14 = label(this, "Label14", 3840, 240, 990, 180, QStringLiteral("(ver.3.13g)"));

    Text10 = box(this, "Text10", 360, 600, 5055, 270, QStringLiteral("対象ファイルと同じフォルダにコピーして、実行して下さい。"));
    QPalette face = Text10->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    Text10->setPalette(face);

    Dirlist = new FolderList(this);
    place(Dirlist, "Dirlist", 240, 840, 2052, 1350);
    List1 = new QListWidget(this);
    List1->setSortingEnabled(false);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setUniformItemSizes(true);   // keeps twenty thousand entries quick
    place(List1, "List1", 2400, 840, 3135, 1320);

    Text1 = box(this, "Text1", 240, 2280, 5295, 264, QStringLiteral("Text1"));
    Label7 = fittedLabel(this, "Label7", 240, 2640, QStringLiteral("Label7"));
    Label20 = fittedLabel(this, "Label20", 360, 2880, QStringLiteral("label20"));
    Label12 = label(this, "Label12", 360, 3120, 5055, 345, QStringLiteral("Label12"));

    Command4 = button(this, "Command4", 240, 3600, 700, 252, QStringLiteral("Command4"));
    Label5 = label(this, "Label5", 1080, 3600, 4680, 1020, QStringLiteral("番目のデータを読み込んでいます。"));
    Command12 = button(this, "Command12", 240, 4180, 852, 255, QStringLiteral("復元"));
    Label23 = fittedLabel(this, "Label23", 1080, 4220, QStringLiteral(" ボタンで直前のファイル名へ戻すことができます。"));
    Command3 = button(this, "Command3", 4680, 4560, 852, 372, QStringLiteral("Command3"));
    Label19 = label(this, "Label19", 1320, 4680, 2760, 225, QStringLiteral("quillmere 開発グループ"));
    Label19->setFont(platform::gothicFont(11.25));
}

void Form1::buildModeRows()
{
    // 1: tag before the extension
    Label8 = fittedLabel(this, "Label8", 6000, 150, QStringLiteral("１．拡張子の前の[ ]を削除します。"));
    Command2 = button<ModeButton>(this, "Command2", 11160, 120, 2535, 252, QStringLiteral("aa-bb[c].eee →　aa-bb.eee"));

    // 2: prefix
    Label15 = fittedLabel(this, "Label15", 6000, 600, QStringLiteral("２．ファイル名の先頭に指定文字列(A)を加えます。"));
    Label2 = fittedLabel(this, "Label2", 6120, 915, QStringLiteral("A："));
    Text6 = box(this, "Text6", 6360, 840, 4575, 270, QStringLiteral("Text6"));
    Command6 = button<ModeButton>(this, "Command6", 11160, 840, 2535, 252, QStringLiteral("cc.eee → Acc.eee"));

    // 3: replacement
    Label10 = fittedLabel(this, "Label10", 6000, 1320, QStringLiteral("３．選択文字列(B)を指定文字列(C)に変更します。"));
    Label3 = fittedLabel(this, "Label3", 6120, 1560, QStringLiteral("B："));
    Text4 = box(this, "Text4", 6360, 1548, 4575, 270, QStringLiteral("Text4"));
    Label4 = fittedLabel(this, "Label4", 6120, 1920, QStringLiteral("C："));
    Text5 = box(this, "Text5", 6360, 1920, 4575, 270, QStringLiteral("Text5"));
    Command5 = button<ModeButton>(this, "Command5", 11160, 1680, 2535, 252, QStringLiteral("aaBdd.eee →　aaCdd.eee"));

    // 4: insertion at N
    Label6 = fittedLabel(this, "Label6", 6000, 2400, QStringLiteral("４．N文字目に指定文字列(D)を挿入します。"));
    Label9 = fittedLabel(this, "Label9", 6120, 2670, QStringLiteral("N："));
    Text2 = box(this, "Text2", 6360, 2640, 492, 264, QStringLiteral("text2"));
    Label13 = fittedLabel(this, "Label13", 7200, 2670, QStringLiteral("D："));
    Text3 = box(this, "Text3", 7440, 2640, 3495, 264, QStringLiteral("text3"));
    Command1 = button<ModeButton>(this, "Command1", 11160, 2640, 2535, 252, QStringLiteral("N[3]　　D　→ aaDaacc.eee"));

    // 5: deletion at N
    Label16 = fittedLabel(this, "Label16", 6000, 3120, QStringLiteral("５．N文字目からn文字分を削除します。(初期値はN：1，n：8)"));
    Label11 = fittedLabel(this, "Label11", 6120, 3390, QStringLiteral("N:"));
    Text7 = box(this, "Text7", 6600, 3360, 612, 264, QStringLiteral("1"));
    Label22 = fittedLabel(this, "Label22", 7560, 3390, QStringLiteral("ｎ："));
    Text9 = box(this, "Text9", 7920, 3360, 732, 264, QStringLiteral("8"));
    Command7 = button<ModeButton>(this, "Command7", 11160, 3360, 2535, 252, QStringLiteral("abcd.eee → bcd.eee"));

    // 6: numbering
    Label17 = fittedLabel(this, "Label17", 6000, 3840, QStringLiteral("６．Nから始まる連番を付けます。(初期値は１）"));
    Label18 = fittedLabel(this, "Label18", 6120, 4110, QStringLiteral("N："));
    Text8 = box(this, "Text8", 6360, 4080, 612, 264, QStringLiteral("1"));
    Command8 = button<ModeButton>(this, "Command8", 9480, 4080, 1935, 252, QStringLiteral("ファイル名の前に"));
    Command9 = button<ModeButton>(this, "Command9", 11640, 4080, 2055, 252, QStringLiteral("ファイル名の後に"));

    // 7: everything before a text
    Label21 = fittedLabel(this, "Label21", 6000, 4560, QStringLiteral("７．指定文字の前までを全て削除します。（初期値は - ）"));
    Label24 = fittedLabel(this, "Label24", 6120, 4830, QStringLiteral("N："));
    Text11 = box(this, "Text11", 6480, 4800, 735, 270, QStringLiteral("-"));
    Check1 = new QCheckBox(this);   // its caption is the label beside it
    place(Check1, "Check1", 7440, 4800, 255, 255);
    Label25 = fittedLabel(this, "Label25", 7680, 4845, QStringLiteral("指定文字も削除"));
    Command10 = button<ModeButton>(this, "Command10", 11160, 4800, 2535, 252, QStringLiteral("N[-]  abcd-x.eee → -x.eee"));
}

void Form1::buildLines()
{
    Line2 = line(this, "Line2", 5760, 120, 5760, 4920);
    Line1 = line(this, "Line1", 5880, 480, 13680, 480);
    Line6 = line(this, "Line6", 5880, 1200, 13680, 1200);
    Line5 = line(this, "Line5", 5880, 2280, 13680, 2280);
    Line3 = line(this, "Line3", 5880, 3000, 13680, 3000);
    Line4 = line(this, "Line4", 5880, 3720, 13680, 3720);
    Line7 = line(this, "Line7", 5880, 4440, 13680, 4440);
}

void Form1::setFocusOrder()
{
    QWidget* const order[] = {
        Command2, Text6, Command6, Text4, Text5, Command5, Text2, Text3, Command1,
        Text1, Command3, Dirlist, List1, Command4, Text7, Command7, Text8, Command8,
        Command9, Command10, Text9, Command12, Text10, Text11, Check1,
    };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace quillmere
