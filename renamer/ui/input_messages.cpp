#include "renamer/ui/input_messages.h"

namespace quillmere {

QString refusalMessage(BoxRefusal refusal)
{
    switch (refusal) {
    case BoxRefusal::InsertAtNotNumber:
        return QStringLiteral("N（挿入位置）には数を入れて下さい。");
    case BoxRefusal::InsertAtTooSmall:
        return QStringLiteral("N（挿入位置）には 0.5 以上の数を入れて下さい（0 のときは何も変えません）。");
    case BoxRefusal::InsertAtTooLarge:
        return QStringLiteral("N（挿入位置）の数が大きすぎます。");
    case BoxRefusal::DeleteAtNotNumber:
        return QStringLiteral("N（削除する位置）には数を入れて下さい。");
    case BoxRefusal::DeleteAtTooSmall:
        return QStringLiteral("N（削除する位置）には 0.5 以上の数を入れて下さい（0 のときは何も変えません）。");
    case BoxRefusal::DeleteAtTooLarge:
        return QStringLiteral("N（削除する位置）の数が大きすぎます。");
    case BoxRefusal::DeleteCountTooLarge:
        return QStringLiteral("ｎ（削除する文字数）の数が大きすぎます。");
    case BoxRefusal::DeleteCountTooSmall:
        return QStringLiteral("ｎ（削除する文字数）の数が小さすぎます。");
    }
    return {};
}

} // namespace quillmere
