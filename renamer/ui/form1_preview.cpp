// What each mode button would do if pressed now: its tooltip and the
// description a screen reader gives. Worked out only when asked, from the
// boxes and the work list as they stand, and kept until one of them changes.
#include "renamer/ui/form1.h"

#include "renamer/ui/input_messages.h"
#include "renamer/ui/mode_button.h"
#include "renamer/ui/preview_text.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextDocument>
#include <QToolTip>

namespace quillmere {
namespace {

const char* const kModeProperty = "quillmereMode";

} // namespace

void Form1::setUpPreviews()
{
    const std::pair<QPushButton*, Mode> buttons[] = {
        {Command2, Mode::RemoveTag},   {Command6, Mode::Prefix},        {Command5, Mode::Replace},
        {Command1, Mode::Insert},      {Command7, Mode::DeleteAt},      {Command10, Mode::DeleteBefore},
        {Command8, Mode::NumberFront}, {Command9, Mode::NumberBehind},
    };
    for (const auto& [button, mode] : buttons) {
        button->setProperty(kModeProperty, int(mode));
        button->installEventFilter(this);
    }
    ModeButton::offerPreviewsToScreenReaders();

    // Every change only marks the previews stale: typing stays as quick as ever.
    const auto stale = [this] { ++previewGeneration_; };
    for (QLineEdit* box : {Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text11})
        connect(box, &QLineEdit::textChanged, this, stale);
    connect(Check1, &QCheckBox::toggled, this, stale);
    QAbstractItemModel* list = List1->model();
    connect(list, &QAbstractItemModel::rowsInserted, this, stale);
    connect(list, &QAbstractItemModel::rowsRemoved, this, stale);
    connect(list, &QAbstractItemModel::modelReset, this, stale);
    connect(list, &QAbstractItemModel::dataChanged, this, stale);
}

QString Form1::modePreview(const QPushButton* button)
{
    const QVariant mode = button->property(kModeProperty);
    if (!mode.isValid())
        return {};
    CachedPreview& cached = previews_.at(std::size_t(mode.toInt()));
    if (cached.generation != previewGeneration_ || cached.text.isNull()) {
        const auto params = readBoxes(Mode(mode.toInt()), boxes());
        if (const BoxRefusal* refusal = std::get_if<BoxRefusal>(&params)) {
            cached.text = refusalMessage(*refusal);
        } else {
            QStringList workList;
            workList.reserve(List1->count());
            for (int i = 0; i < List1->count(); ++i)
                workList.append(List1->item(i)->text());
            cached.text = previewText(renamer::previewRun(std::get<renamer::ModeParams>(params), workList));
        }
        cached.generation = previewGeneration_;
    }
    return cached.text;
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            // Plain text: a file name may look like markup.
            const QString tip = Qt::convertFromPlainText(modePreview(button), Qt::WhiteSpaceNoWrap);
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, button);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quillmere
