// Font sizes that let every text of the window fit its place, computed once
// at start-up: the fonts standing in for the Japanese system font are
// taller, and some wider, than the one the layout was drawn for.
#include "renamer/ui/form1.h"

#include "renamer/core/rename_run.h"
#include "renamer/ui/text_fit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>

#include <algorithm>

namespace quillmere {
namespace {

// A button's text is centred in the whole height, between the frame's sides.
void fitButton(QPushButton* button, const QString& longest)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = longest;
    const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    button->setFont(fittedFont(button->font(), longest, QSize(contents.width(), button->height()), TextFlow::OneLine));
}

// A one-line label of fixed size keeps it.
void fitFixedLabel(QLabel* label)
{
    label->setFont(fittedFont(label->font(), label->text(), label->size(), TextFlow::OneLine));
}

// A wrapped label may grow down to bottom: its lines are the taller ones.
void fitWrappedLabel(QLabel* label, int bottom)
{
    const QSize room(label->width(), bottom - label->y());
    label->setFont(fittedFont(label->font(), label->text(), room, TextFlow::Wrapped));
    label->resize(label->width(), std::max(label->height(), label->heightForWidth(label->width())));
}

// A label sized to its text may take the room up to right and bottom.
void fitSizedLabel(QLabel* label, int right, int bottom)
{
    const QSize room(right - label->x(), bottom - label->y());
    label->setFont(fittedFont(label->font(), label->text(), room, TextFlow::OneLine));
    label->adjustSize();
    // The last glyph's ink may reach a pixel past its advance.
    const int inkRight = QFontMetrics(label->font()).boundingRect(label->text()).right() + 1;
    if (inkRight > label->width())
        label->resize(inkRight, label->height());
}

int bottomOf(const QWidget* widget) { return widget->y() + widget->height(); }

} // namespace

void Form1::fitFonts()
{
    for (QLabel* fixed : {Label1, Label14, Label19})
        fitFixedLabel(fixed);
    fitWrappedLabel(Label12, Command4->y());
    for (QPushButton* button : {Command2, Command6, Command5, Command1, Command7, Command8, Command9, Command10,
                                Command12, Command3})
        fitButton(button, button->text());
    // The counter display shows at most the name table's size.
    fitButton(Command4, QString::number(renamer::kNameTableSize));

    // The left side ends at the dividing line, the mode rows at their lines' end.
    const int left = Line2->x();
    const int right = Line1->x() + Line1->width();
    fitSizedLabel(Label7, left, Label20->y());
    fitSizedLabel(Label20, left, Label12->y());
    fitSizedLabel(Label23, left, Command3->y());

    // A row's description stops above its boxes, and beside its button.
    fitSizedLabel(Label8, Command2->x(), Line1->y());
    fitSizedLabel(Label15, Command6->x(), Text6->y());
    fitSizedLabel(Label10, right, Text4->y());
    fitSizedLabel(Label6, right, Text2->y());
    fitSizedLabel(Label16, right, Text7->y());
    fitSizedLabel(Label17, right, Text8->y());
    fitSizedLabel(Label21, right, Text11->y());

    // A caption stands left of its box and ends no lower than the box.
    const std::pair<QLabel*, QWidget*> captions[] = {
        {Label2, Text6}, {Label3, Text4}, {Label4, Text5}, {Label9, Text2}, {Label13, Text3},
        {Label11, Text7}, {Label22, Text9}, {Label18, Text8}, {Label24, Text11},
    };
    for (const auto& [caption, box] : captions)
        fitSizedLabel(caption, box->x(), bottomOf(box));
    fitSizedLabel(Label25, Command10->x(), bottomOf(Check1));
}

} // namespace quillmere
