#pragma once

#include "renamer/ui/form1.h"
#include "temp_env.h"

#include <QDir>
#include <QListWidget>

#include <memory>
#include <ostream>
#include <utility>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// A window started in a fresh working directory holding `files` (a name ending in '/' is a folder).
struct Started {
    testsupport::TempWorkDir dir;
    std::vector<std::pair<QMessageBox::Icon, QString>> messages;
    std::unique_ptr<quillmere::Form1> form;
    explicit Started(const QStringList& files = {})
    {
        for (const QString& name : files)
            name.endsWith('/') ? void(QDir(dir.path()).mkdir(name)) : dir.write(name, "x");
        form = std::make_unique<quillmere::Form1>(quillmere::Form1Options{QStringLiteral("2026/12/06"),
            [this](QMessageBox::Icon icon, const QString& text) { messages.emplace_back(icon, text); }});
    }
    QStringList list() const { QStringList names; for (int i = 0; i < form->List1->count(); ++i) names << form->List1->item(i)->text(); return names; }
};
