#include "renamer/ui/mode_button.h"

#include "renamer/ui/form1.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace quillmere {
namespace {

// A mode button as a screen reader sees it: a button that can be pressed,
// whose description is asked of the window when it is read.
class ModeButtonAccessible : public QAccessibleWidget {
public:
    explicit ModeButtonAccessible(QPushButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        auto* button = static_cast<QPushButton*>(widget());
        if (t == QAccessible::Name && button->accessibleName().isEmpty())
            return button->text();
        if (t == QAccessible::Description) {
            if (auto* form = qobject_cast<Form1*>(button->window()))
                return form->modePreview(button);
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<QPushButton*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* factory(const QString& key, QObject* object)
{
    if (key == QLatin1String(ModeButton::staticMetaObject.className()))
        return new ModeButtonAccessible(static_cast<ModeButton*>(object));
    return nullptr;
}

} // namespace

void ModeButton::offerPreviewsToScreenReaders()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    (void)installed;
}

} // namespace quillmere
