// Renders the manual (an HTML file) into the PDF that the program opens.
//
//   tarvion-manual INPUT.html OUTPUT.PDF
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarvion-manual INPUT.html OUTPUT.PDF\n");
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tarvion-manual: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setHtml(QString::fromUtf8(input.readAll()));

    const QString output = QString::fromLocal8Bit(argv[2]);
    QPdfWriter writer(output + QStringLiteral(".partial"));
    writer.setTitle(QStringLiteral("Tarvion - Handbuch"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    document.print(&writer);
    QFile::remove(output);
    if (!QFile::rename(output + QStringLiteral(".partial"), output)) {
        std::fprintf(stderr, "tarvion-manual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
