// The main window's controls: kinds, names, places (in twips), fonts and
// design texts. Behaviour lives in form1.cpp and form1_run.cpp.
#include "renamer/ui/form1_layout.h"

#include "platform/fonts.h"
#include "renamer/ui/folder_list.h"
#include "renamer/ui/form1.h"
#include "renamer/ui/mode_button.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <type_traits>

namespace quillmere {
namespace {

using platform::twips;
using K = Form1Control::Kind;

template <auto member>
void bind(Form1& form, QWidget* widget)
{
    using Pointer = std::remove_reference_t<decltype(form.*member)>;
    form.*member = static_cast<Pointer>(widget);
}

const Form1Control kControls[] = {
    {K::Label, "Label1", 360, 120, 3255, 330, u"ファイル名一括変更", bind<&Form1::Label1>},
    {K::Label, "Label14", 3840, 240, 990, 180, u"(ver.3.13g)", bind<&Form1::Label14>},
    {K::Box, "Text10", 360, 600, 5055, 270, u"対象ファイルと同じフォルダにコピーして、実行して下さい。", bind<&Form1::Text10>},
    {K::FolderList, "Dirlist", 240, 840, 2052, 1350, nullptr, bind<&Form1::Dirlist>},
    {K::List, "List1", 2400, 840, 3135, 1320, nullptr, bind<&Form1::List1>},
    {K::Box, "Text1", 240, 2280, 5295, 264, u"Text1", bind<&Form1::Text1>},
    {K::FittedLabel, "Label7", 240, 2640, 0, 0, u"Label7", bind<&Form1::Label7>},
    {K::FittedLabel, "Label20", 360, 2880, 0, 0, u"label20", bind<&Form1::Label20>},
    {K::Label, "Label12", 360, 3120, 5055, 345, u"Label12", bind<&Form1::Label12>},
    {K::Button, "Command4", 240, 3600, 700, 252, u"Command4", bind<&Form1::Command4>},
    {K::Label, "Label5", 1080, 3600, 4680, 1020, u"番目のデータを読み込んでいます。", bind<&Form1::Label5>},
    {K::Button, "Command12", 240, 4180, 852, 255, u"復元", bind<&Form1::Command12>},
    {K::FittedLabel, "Label23", 1080, 4220, 0, 0, u" ボタンで直前のファイル名へ戻すことができます。", bind<&Form1::Label23>},
    {K::Button, "Command3", 4680, 4560, 852, 372, u"Command3", bind<&Form1::Command3>},
    {K::Label, "Label19", 1320, 4680, 2760, 225, u"quillmere 開発グループ", bind<&Form1::Label19>},
    // 1: tag before the extension
    {K::FittedLabel, "Label8", 6000, 150, 0, 0, u"１．拡張子の前の[ ]を削除します。", bind<&Form1::Label8>},
    {K::ModeButton, "Command2", 11160, 120, 2535, 252, u"aa-bb[c].eee →　aa-bb.eee", bind<&Form1::Command2>},
    // 2: prefix
    {K::FittedLabel, "Label15", 6000, 600, 0, 0, u"２．ファイル名の先頭に指定文字列(A)を加えます。", bind<&Form1::Label15>},
    {K::FittedLabel, "Label2", 6120, 915, 0, 0, u"A：", bind<&Form1::Label2>},
    {K::Box, "Text6", 6360, 840, 4575, 270, u"Text6", bind<&Form1::Text6>},
    {K::ModeButton, "Command6", 11160, 840, 2535, 252, u"cc.eee → Acc.eee", bind<&Form1::Command6>},
    // 3: replacement
    {K::FittedLabel, "Label10", 6000, 1320, 0, 0, u"３．選択文字列(B)を指定文字列(C)に変更します。", bind<&Form1::Label10>},
    {K::FittedLabel, "Label3", 6120, 1560, 0, 0, u"B：", bind<&Form1::Label3>},
    {K::Box, "Text4", 6360, 1548, 4575, 270, u"Text4", bind<&Form1::Text4>},
    {K::FittedLabel, "Label4", 6120, 1920, 0, 0, u"C：", bind<&Form1::Label4>},
    {K::Box, "Text5", 6360, 1920, 4575, 270, u"Text5", bind<&Form1::Text5>},
    {K::ModeButton, "Command5", 11160, 1680, 2535, 252, u"aaBdd.eee →　aaCdd.eee", bind<&Form1::Command5>},
    // 4: insertion at N
    {K::FittedLabel, "Label6", 6000, 2400, 0, 0, u"４．N文字目に指定文字列(D)を挿入します。", bind<&Form1::Label6>},
    {K::FittedLabel, "Label9", 6120, 2670, 0, 0, u"N：", bind<&Form1::Label9>},
    {K::Box, "Text2", 6360, 2640, 492, 264, u"text2", bind<&Form1::Text2>},
    {K::FittedLabel, "Label13", 7200, 2670, 0, 0, u"D：", bind<&Form1::Label13>},
    {K::Box, "Text3", 7440, 2640, 3495, 264, u"text3", bind<&Form1::Text3>},
    {K::ModeButton, "Command1", 11160, 2640, 2535, 252, u"N[3]　　D　→ aaDaacc.eee", bind<&Form1::Command1>},
    // 5: deletion at N
    {K::FittedLabel, "Label16", 6000, 3120, 0, 0, u"５．N文字目からn文字分を削除します。(初期値はN：1，n：8)", bind<&Form1::Label16>},
    {K::FittedLabel, "Label11", 6120, 3390, 0, 0, u"N:", bind<&Form1::Label11>},
    {K::Box, "Text7", 6600, 3360, 612, 264, u"1", bind<&Form1::Text7>},
    {K::FittedLabel, "Label22", 7560, 3390, 0, 0, u"ｎ：", bind<&Form1::Label22>},
    {K::Box, "Text9", 7920, 3360, 732, 264, u"8", bind<&Form1::Text9>},
    {K::ModeButton, "Command7", 11160, 3360, 2535, 252, u"abcd.eee → bcd.eee", bind<&Form1::Command7>},
    // 6: numbering
    {K::FittedLabel, "Label17", 6000, 3840, 0, 0, u"６．Nから始まる連番を付けます。(初期値は１）", bind<&Form1::Label17>},
    {K::FittedLabel, "Label18", 6120, 4110, 0, 0, u"N：", bind<&Form1::Label18>},
    {K::Box, "Text8", 6360, 4080, 612, 264, u"1", bind<&Form1::Text8>},
    {K::ModeButton, "Command8", 9480, 4080, 1935, 252, u"ファイル名の前に", bind<&Form1::Command8>},
    {K::ModeButton, "Command9", 11640, 4080, 2055, 252, u"ファイル名の後に", bind<&Form1::Command9>},
    // 7: everything before a text
    {K::FittedLabel, "Label21", 6000, 4560, 0, 0, u"７．指定文字の前までを全て削除します。（初期値は - ）", bind<&Form1::Label21>},
    {K::FittedLabel, "Label24", 6120, 4830, 0, 0, u"N：", bind<&Form1::Label24>},
    {K::Box, "Text11", 6480, 4800, 735, 270, u"-", bind<&Form1::Text11>},
    {K::CheckBox, "Check1", 7440, 4800, 255, 255, nullptr, bind<&Form1::Check1>},
    {K::FittedLabel, "Label25", 7680, 4845, 0, 0, u"指定文字も削除", bind<&Form1::Label25>},
    {K::ModeButton, "Command10", 11160, 4800, 2535, 252, u"N[-]  abcd-x.eee → -x.eee", bind<&Form1::Command10>},
    {K::Line, "Line2", 5760, 120, 0, 4800, nullptr, bind<&Form1::Line2>},
    {K::Line, "Line1", 5880, 480, 7800, 0, nullptr, bind<&Form1::Line1>},
    {K::Line, "Line6", 5880, 1200, 7800, 0, nullptr, bind<&Form1::Line6>},
    {K::Line, "Line5", 5880, 2280, 7800, 0, nullptr, bind<&Form1::Line5>},
    {K::Line, "Line3", 5880, 3000, 7800, 0, nullptr, bind<&Form1::Line3>},
    {K::Line, "Line4", 5880, 3720, 7800, 0, nullptr, bind<&Form1::Line4>},
    {K::Line, "Line7", 5880, 4440, 7800, 0, nullptr, bind<&Form1::Line7>},
};

QWidget* make(const Form1Control& control, QWidget* parent)
{
    const QString text = control.text ? QString::fromUtf16(control.text) : QString();
    switch (control.kind) {
    case K::Label:
    case K::FittedLabel: {
        auto* label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        if (control.kind == K::Label) {
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
        }
        return label;
    }
    case K::Box: {
        auto* box = new QLineEdit(text, parent);
        // The boxes are lower than Qt's default padding allows for.
        box->setTextMargins(0, -2, 0, -2);
        box->setCursorPosition(0);   // show the start of a long text
        return box;
    }
    case K::Button:
    case K::ModeButton: {
        auto* button = control.kind == K::Button ? new QPushButton(text, parent) : new ModeButton(text, parent);
        button->setAutoDefault(false);
        return button;
    }
    case K::CheckBox:
        return new QCheckBox(parent);   // its caption is the label beside it
    case K::FolderList:
        return new FolderList(parent);
    case K::List: {
        auto* list = new QListWidget(parent);
        list->setSortingEnabled(false);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setUniformItemSizes(true);   // keeps twenty thousand entries quick
        return list;
    }
    case K::Line: {
        auto* line = new QFrame(parent);
        line->setFrameShape(control.width == 0 ? QFrame::VLine : QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setLineWidth(1);
        return line;
    }
    }
    return nullptr;
}

void place(const Form1Control& control, QWidget* widget)
{
    const int left = twips(control.left), top = twips(control.top);
    switch (control.kind) {
    case K::FittedLabel:
        widget->move(left, top);
        widget->adjustSize();
        break;
    case K::Line:
        // Both ends drawn, as a line from point to point is.
        widget->setGeometry(left, top, twips(control.left + control.width) - left + 1,
                            twips(control.top + control.height) - top + 1);
        break;
    default:
        widget->setGeometry(left, top, twips(control.width), twips(control.height));
    }
}

} // namespace

std::span<const Form1Control> form1Layout()
{
    return kControls;
}

void Form1::buildControls()
{
    for (const Form1Control& control : kControls) {
        QWidget* widget = make(control, this);
        widget->setObjectName(QString::fromLatin1(control.name));
        place(control, widget);
        control.bind(*this, widget);
    }
    Label1->setFont(platform::gothicFont(16.5, true));
    Label19->setFont(platform::gothicFont(11.25));
    QPalette face = Text10->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    Text10->setPalette(face);
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
