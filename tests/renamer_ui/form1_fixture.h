#pragma once

#include "renamer/ui/form1.h"
#include "temp_env.h"

#include <QListWidget>
#include <QStringList>

#include <memory>
#include <ostream>
#include <utility>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// A window started in a fresh working directory, with its messages caught.
struct Form1Fixture {
    testsupport::TempWorkDir dir;
    std::vector<std::pair<QMessageBox::Icon, QString>> messages;
    std::unique_ptr<quillmere::Form1> form;

    explicit Form1Fixture(const QStringList& files = {})
    {
        for (const QString& name : files)
            dir.write(name, "x");
    }

    quillmere::Form1& open()
    {
        quillmere::Form1Options options;
        options.today = QStringLiteral("2026/12/06");
        options.message = [this](QMessageBox::Icon icon, const QString& text) { messages.emplace_back(icon, text); };
        form = std::make_unique<quillmere::Form1>(std::move(options));
        return *form;
    }

    static QStringList entries(const QListWidget* list)
    {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        return names;
    }
};
