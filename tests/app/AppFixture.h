#pragma once

#include "TableFiles.h"
#include "app/Dialogs.h"
#include "app/HauptForm.h"
#include "language/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A data directory with the delivered tables (no bank codes but two) and a
// place for the grid layout, a record of every message shown, and a main
// window started on them.
class AppFixture
{
public:
    AppFixture() : AppFixture(QString()) {}
    // With `tables`, the table files are copied from that folder instead of
    // being made anew: quicker where many fixtures start from the same data.
    explicit AppFixture(const QString& tables)
    {
        if (tables.isEmpty()) {
            tablegen::createEmptyTables(m_dir.path().toStdString(), true);
            tablegen::fillBankCodes(
                path(QStringLiteral("BLZ.ADT")).toStdString(),
                {{"10000000", "BBk Berlin", "10591", "Berlin", "09", "1", "MARKDEF1100"},
                 {"37040044", "Commerzbank Köln", "50447", "Köln", "13", "1", "COBADEFFXXX"}});
        } else {
            for (const QFileInfo& table : QDir(tables).entryInfoList(QDir::Files))
                QFile::copy(table.filePath(), path(table.fileName()));
        }
        app::Dialogs::setRecorder([this](const QString& text) { messages << text; });
    }
    ~AppFixture()
    {
        window.reset();
        app::Dialogs::setRecorder({});
        app::Dialogs::setNextAnswers({});
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    app::THauptForm& start()
    {
        window.reset();
        app::THauptForm::Options options;
        options.dataDirectory = m_dir.path() + QLatin1Char('/');
        options.gridLayoutFile = path(QStringLiteral("GridTarvion.ini"));
        window = std::make_unique<app::THauptForm>(options);
        window->createDialogs();
        return *window;
    }

    // Closes the window as the user would and ends it like the program does.
    bool closeWindow()
    {
        const bool closed = window->close();
        if (closed) {
            window->savePlacements();
            window.reset();
        }
        return closed;
    }

    void writeIni(const char* section, const char* key, const QString& value)
    {
        language::IniFile ini;
        ini.load(path(QStringLiteral("VIZUZAR.INI")).toStdString());
        ini.setValue(section, key, value.toStdString());
        ini.save(path(QStringLiteral("VIZUZAR.INI")).toStdString());
    }

    std::unique_ptr<app::THauptForm> window;
    QStringList messages;

private:
    QTemporaryDir m_dir;
};
