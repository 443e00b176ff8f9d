// Prints the time to render the journal of 10,000 transfers to a PDF file.
//
//   journal_bench [folder] [transfers]
#include "TableFiles.h"
#include "filecreation/Reports.h"
#include "store/PaymentStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    const int count = argc > 2 ? std::atoi(argv[2]) : 10000;
    const fs::path dir = base / "journal-bench-data";
    fs::remove_all(dir);
    fs::create_directories(dir);
    tablegen::createEmptyTables(dir.string(), true);
    fs::copy_file(fs::path(TARVION_DATA_SOURCE) / "Protokoll.rtm", dir / "Protokoll.rtm");

    store::PaymentStore data;
    data.pointAt(dir.string());
    data.openAll();
    data.connection.setBusyTimeout(1000);
    {
        store::Cursor& z = data.Zahlung_tt;
        // One commit for the set-up rows would need a transaction API; plain
        // posts are fine for preparing the data.
        for (int i = 0; i < count; ++i) {
            z.append();
            z.field("Name").setString("Lieferant " + std::to_string(i));
            z.field("BIC").setString("COBADEFFXXX");
            z.field("IBAN").setString("DE89370400440532013000");
            z.field("BETRAG").setFloat(100.0 + i % 1000);
            z.field("Verwendungszweck1").setString("Rechnung " + std::to_string(i));
            z.post();
        }
        z.setIndexName("Name");
    }
    const QString pdf = QString::fromStdString((dir / "journal.pdf").string());
    filecreation::PdfOutput output(pdf);
    QElapsedTimer timer;
    timer.start();
    filecreation::printJournal(data, QString::fromStdString(dir.string() + "/"), false, output);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    std::printf("transfers:        %d\n", count);
    std::printf("journal to PDF:   %.3f s (%lld KiB)\n", seconds,
                static_cast<long long>(QFileInfo(pdf).size() / 1024));
    fs::remove_all(dir);
    return 0;
}
