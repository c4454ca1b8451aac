#include "setup/ui/form4.h"

#include "platform/fonts.h"
#include "setup/core/install.h"
#include "setup/core/program_name.h"
#include "setup/ui/setup_messages.h"
#include "setup/ui/wizard.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace setup {

Form4::Form4(Wizard& wizard)
    : Page(wizard, QStringLiteral("Form4"))
{
    setObjectName(QStringLiteral("Form4"));
    Label1 = bigLabel("Label1", QStringLiteral("の"), 720, 600);
    Label2 = bigLabel("Label2", QStringLiteral("セットアップが完了しました。"), 840, 1080);
    Label3 = bigLabel("Label3", QStringLiteral("終了ボタンを押して下さい。"), 840, 1680);
    Command1 = button("Command1", QStringLiteral("終了"), 1320, 2640, 1575, 375);
    Command1->setFont(platform::pGothicFont(9.75));
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::Form_Load()
{
    setLabelText(Label1, programNameLine());
}

void Form4::focusFirst()
{
    Command1->setFocus();
}

void Form4::Command1_Click()
{
    wizard_.unloadAll();
    closeInstallation(programName());
    wizard_.end();
}

void Form4::closeEvent(QCloseEvent* event)
{
    event->accept();
    Command1_Click();
}

} // namespace setup
