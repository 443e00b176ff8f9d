// Prints, for 100,000 transfers, how long the main window takes from start
// until it is shown and painted, how long the grid takes per scroll step
// (average and worst), and how long sorting by a column takes. Runs on the
// offscreen platform.
//
//   mainwindow_bench [transfers]
#include "TableFiles.h"
#include "app/CursorModel.h"
#include "app/Dialogs.h"
#include "app/HauptForm.h"
#include "app/TransferGrid.h"
#include "app/TransferGroup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

void fillTransfers(const QString& file, int count)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO ZAHLUNG (Name, Strasse, OrtLand, BETRAG, BIC, IBAN, "
                       "Verwendungszweck1, Ausfuehrungsdatum, PRUEFEN) VALUES (?, 'Hauptstraße 5', "
                       "'München', ?, 'COBADEFFXXX', 'DE89370400440532013000', 'Rechnung', "
                       "'2026-12-14', 0)",
                       -1, &insert, nullptr);
    for (int i = 0; i < count; ++i) {
        const std::string name = "Lieferant " + std::to_string((i * 7919) % count);
        sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 2, 10.0 + (i * 31) % 50000);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;

    QTemporaryDir dir;
    tablegen::createEmptyTables(dir.path().toStdString(), true);
    fillTransfers(dir.filePath(QStringLiteral("ZAHLUNG.ADT")), count);
    app::Dialogs::setRecorder([](const QString& text) {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    });

    QElapsedTimer timer;
    timer.start();
    app::THauptForm::Options options;
    options.dataDirectory = dir.path() + QLatin1Char('/');
    options.gridLayoutFile = dir.filePath(QStringLiteral("GridTarvion.ini"));
    app::THauptForm window(options);
    window.createDialogs();
    window.resize(1200, 800);
    window.show();
    QApplication::processEvents();
    window.repaint();
    const double startSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    app::TransferGrid& grid = *window.transferGroup()->grid;
    QScrollBar* bar = grid.view().verticalScrollBar();
    const int steps = 300;
    double total = 0;
    double worst = 0;
    for (int i = 1; i <= steps; ++i) {
        timer.restart();
        bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * i / steps));
        grid.view().viewport()->repaint();
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        total += ms;
        worst = std::max(worst, ms);
    }

    const auto sortBy = [&](const char* field, Qt::SortOrder order) {
        timer.restart();
        grid.view().sortByColumn(grid.model().columnOfField(QLatin1String(field)), order);
        grid.view().viewport()->repaint();
        return static_cast<double>(timer.nsecsElapsed()) / 1e9;
    };
    const double sortAmount = sortBy("BETRAG", Qt::DescendingOrder);
    const double sortName = sortBy("Name", Qt::AscendingOrder);

    std::printf("transfers:                 %d\n", count);
    std::printf("start until painted:       %.3f s (target under 2 s)\n", startSeconds);
    std::printf("scroll step, average:      %.2f ms over %d steps\n", total / steps, steps);
    std::printf("scroll step, worst:        %.2f ms\n", worst);
    std::printf("sort by amount:            %.3f s (target under 1 s)\n", sortAmount);
    std::printf("sort by name:              %.3f s (target under 1 s)\n", sortName);
    window.close();
    return 0;
}
