// What a screen reader says for each control. Nothing here moves a control
// or changes a text on the screen.
#include "renamer/ui/form1.h"

#include "renamer/ui/folder_list.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quillmere {

void Form1::nameControls()
{
    // Each box by its mode and its caption, the caption tied to it.
    const std::tuple<QLineEdit*, QLabel*, const char16_t*> boxes[] = {
        {Text6, Label2, u"２．先頭に加える文字列 A"},
        {Text4, Label3, u"３．選択文字列 B"},
        {Text5, Label4, u"３．指定文字列 C"},
        {Text2, Label9, u"４．挿入する位置 N"},
        {Text3, Label13, u"４．挿入する文字列 D"},
        {Text7, Label11, u"５．削除を始める位置 N"},
        {Text9, Label22, u"５．削除する文字数 ｎ"},
        {Text8, Label18, u"６．連番の始まり N"},
        {Text11, Label24, u"７．指定文字 N"},
    };
    for (const auto& [box, caption, name] : boxes) {
        box->setAccessibleName(QString::fromUtf16(name));
        caption->setBuddy(box);
    }
    // Its own caption is cut off; the label beside it stands in.
    Check1->setAccessibleName(Label25->text());
    Label25->setBuddy(Check1);

    Dirlist->setAccessibleName(QStringLiteral("フォルダ一覧"));
    List1->setAccessibleName(QStringLiteral("ファイル一覧"));
    Text1->setAccessibleName(QStringLiteral("フォルダのパス"));
    Command4->setAccessibleName(QStringLiteral("処理した件数"));
    // The standing instruction is read, not edited.
    Text10->setReadOnly(true);
    Text10->setAccessibleName(Text10->text());
}

} // namespace quillmere
