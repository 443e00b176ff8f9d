#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

// Random damage to the files the program reads, as another program or a
// failing disk may leave them: bytes flipped, files cut, numbers replaced by
// huge, negative and non-numeric ones, absurdly long values; table values of
// the wrong kind written through SQL, and raw damage to a table file. Every
// kind of damage says what it did, so that a failure can be read.
class FileDamage
{
public:
    explicit FileDamage(quint64 seed) : m_random(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }
    bool chance(int percent) { return below(100) < percent; }

    // One to three kinds of damage on the content of a text file.
    QByteArray damageText(QByteArray content, QStringList& done)
    {
        const int steps = 1 + below(3);
        for (int step = 0; step < steps; ++step) {
            switch (below(10)) {
            case 0:
                flipBytes(content, done);
                break;
            case 1:
                cut(content, done);
                break;
            case 2:
                insertLongValue(content, done);
                break;
            case 3:
                if (chance(20)) {
                    inflate(content, done);
                    break;
                }
                [[fallthrough]];
            case 4:
                appendCharacterCode(content, done);
                break;
            default:
                replaceNumbers(content, done);
                break;
            }
        }
        return content;
    }

    // Values of the wrong kind, huge numbers, texts with NUL bytes written
    // into random cells of the tables in `directory`; now and then a table
    // emptied or a row of nothing but damage added.
    void damageTableValues(const QString& directory, QStringList& done)
    {
        const int changes = 1 + below(4);
        for (int change = 0; change < changes; ++change) {
            const Table& table = kTables[below(int(std::size(kTables)))];
            sqlite3* db = nullptr;
            const QString path = QDir(directory).filePath(QString::fromLatin1(table.file));
            if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
                SQLITE_OK) {
                sqlite3_close(db);
                continue;
            }
            const std::vector<std::string> columns = columnsOf(db, table.name);
            const std::string quoted = "\"" + std::string(table.name) + "\"";
            std::string sql;
            const std::string value = kValues[below(int(std::size(kValues)))];
            const std::string column =
                columns.empty() ? "rowid" : "\"" + columns[below(int(columns.size()))] + "\"";
            if (chance(5)) {
                sql = "DELETE FROM " + quoted;
            } else if (chance(10)) {
                sql = "INSERT INTO " + quoted + " (" + column + ") VALUES (" + value + ")";
            } else {
                const int rows = rowCount(db, quoted);
                sql = "UPDATE " + quoted + " SET " + column + " = " + value +
                      " WHERE rowid = (SELECT rowid FROM " + quoted + " ORDER BY rowid LIMIT 1 " +
                      "OFFSET " + std::to_string(rows > 0 ? below(rows) : 0) + ")";
            }
            // A value the column refuses (a text as row number) is damage not done.
            const bool stored =
                sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
            sqlite3_close(db);
            done << QStringLiteral("%1: %2%3")
                        .arg(QLatin1String(table.file), QString::fromStdString(sql.substr(0, 200)),
                             stored ? QString() : QStringLiteral(" (refused)"));
        }
    }

    // Bytes of a table file flipped, or the file cut.
    void damageTableBytes(const QString& directory, QStringList& done)
    {
        const QString path = QDir(directory).filePath(
            QString::fromLatin1(kTables[below(int(std::size(kTables)))].file));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        QByteArray content = file.readAll();
        file.close();
        if (chance(30))
            cut(content, done);
        else
            flipBytes(content, done);
        if (!done.isEmpty())
            done.back().prepend(fileName(path) + QStringLiteral(": "));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

private:
    struct Table
    {
        const char* file;
        const char* name;
    };
    // The tables the program reads most are listed twice, to be damaged more often.
    static constexpr Table kTables[] = {
        {"stamm.ADT", "stamm"},
        {"stamm.ADT", "stamm"},
        {"ZAHLUNG.ADT", "ZAHLUNG"},
        {"ZAHLUNG.ADT", "ZAHLUNG"},
        {"auftraggeber.adt", "auftraggeber"},
        {"auftraggeber.adt", "auftraggeber"},
        {"BLZ.ADT", "BLZ"},
        {"waehrung.adt", "waehrung"},
    };
    // SQL expressions for values of every kind a column may end up holding.
    static constexpr const char* kValues[] = {
        "'abc'",
        "''",
        "' '",
        "'True'",
        "'ja'",
        "'1e999'",
        "'NaN'",
        "'-0'",
        "'12,50'",
        "'2024-02-30'",
        "'0000-00-00'",
        "'9999-12-31'",
        "'0001-01-01'",
        "'31.12.9999'",
        "'2024-01-01T25:61:00'",
        "'99999999999999999999'",
        "1e308",
        "-1e308",
        "9223372036854775807",
        "-9223372036854775808",
        "2147483648",
        "-2147483649",
        "4294967296",
        "0.5",
        "-1",
        "1e15",
        "4.9e-324",
        "NULL",
        "'a' || char(0) || 'b'",
        "char(0)",
        "x'00ff10'",
        "zeroblob(64)",
        "CAST(x'C328FF' AS TEXT)",
        "printf('%.*c', 100000, 'x')",
        "printf('%.*c', 400, '9')",
        "'DE89370400440532013000' || char(0)",
    };

    static std::vector<std::string> columnsOf(sqlite3* db, const char* table)
    {
        std::vector<std::string> columns;
        sqlite3_stmt* statement = nullptr;
        const std::string sql = "SELECT name FROM pragma_table_info('" + std::string(table) + "')";
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW)
                columns.emplace_back(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        }
        sqlite3_finalize(statement);
        return columns;
    }

    static int rowCount(sqlite3* db, const std::string& quotedTable)
    {
        int count = 0;
        sqlite3_stmt* statement = nullptr;
        const std::string sql = "SELECT count(*) FROM " + quotedTable;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            count = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
        return count;
    }

    static QString fileName(const QString& path) { return path.section(QLatin1Char('/'), -1); }

    void flipBytes(QByteArray& content, QStringList& done)
    {
        if (content.isEmpty())
            return;
        const int count = 1 + below(8);
        for (int i = 0; i < count; ++i)
            content[below(int(content.size()))] = char(below(256));
        done << QStringLiteral("%1 bytes flipped").arg(count);
    }

    void cut(QByteArray& content, QStringList& done)
    {
        const int at = content.isEmpty() ? 0 : below(int(content.size()));
        content.truncate(at);
        done << QStringLiteral("cut after %1 bytes").arg(at);
    }

    void replaceNumbers(QByteArray& content, QStringList& done)
    {
        static const QRegularExpression number(
            QStringLiteral("-?[0-9]+(\\.[0-9]+)?([eE][-+]?[0-9]+)?"));
        static const char* const replacements[] = {
            "2147483647",  "2147483648", "-2147483648",
            "-2147483649", "4294967296", "99999999999999999999",
            "1e308",       "-1e308",     "1e999",
            "60000",       "-60000",     "-1",
            "0",           "abc",        "",
            "NaN",         "0x7fffffff", "1,5",
            " ",           "1.5",
        };
        const QString text = QString::fromLatin1(content);
        std::vector<std::pair<qsizetype, qsizetype>> found;
        for (auto it = number.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            found.emplace_back(m.capturedStart(), m.capturedLength());
        }
        if (found.empty())
            return;
        // Sometimes every number, mostly a few; written in one pass, since
        // an inflated file holds hundreds of thousands of numbers.
        const bool all = chance(15);
        int replaced = 0;
        QByteArray result;
        result.reserve(content.size());
        qsizetype copied = 0;
        for (const auto& [start, length] : found) {
            if (!all && !chance(std::max(3, 300 / int(found.size()))))
                continue;
            result += content.mid(copied, start - copied);
            result += replacements[below(int(std::size(replacements)))];
            copied = start + length;
            ++replaced;
        }
        result += content.mid(copied);
        content = result;
        done << QStringLiteral("%1 of %2 numbers replaced").arg(replaced).arg(found.size());
    }

    // A control character of the language file's value encoding, "#13"
    // after a quoted text, with a code of every size.
    void appendCharacterCode(QByteArray& content, QStringList& done)
    {
        static const char* const codes[] = {
            "13", "255", "256", "65535", "2147483647", "2147483648", "99999999999999999999",
            "-1", ""};
        std::vector<qsizetype> ends;
        for (qsizetype at = content.indexOf("\"\r"); at >= 0; at = content.indexOf("\"\r", at + 1))
            ends.push_back(at + 1);
        for (qsizetype at = content.indexOf("\"\n"); at >= 0; at = content.indexOf("\"\n", at + 1))
            ends.push_back(at + 1);
        if (ends.empty())
            return;
        const qsizetype at = ends[std::size_t(below(int(ends.size())))];
        const QByteArray code = QByteArray("#") + codes[below(int(std::size(codes)))] + "\"x\"";
        content.insert(at, code);
        done << QStringLiteral("%1 appended at %2").arg(QString::fromLatin1(code)).arg(at);
    }

    void insertLongValue(QByteArray& content, QStringList& done)
    {
        const int length = chance(50) ? 5000 + below(5000) : 50000 + below(150000);
        const char filler = "x9\"#,"[below(5)];
        const int at = content.isEmpty() ? 0 : below(int(content.size()));
        content.insert(at, QByteArray(length, filler));
        done << QStringLiteral("%1 times '%2' inserted at %3").arg(length).arg(filler).arg(at);
    }

    void inflate(QByteArray& content, QStringList& done)
    {
        const int lines = 10000 + below(50000); // on both sides of the largest ini file read
        QByteArray filler;
        filler.reserve(lines * 12);
        for (int i = 0; i < lines; ++i)
            filler += "A.Caption=1\n";
        content.insert(below(int(content.size()) + 1), filler);
        done << QStringLiteral("%1 lines added").arg(lines);
    }

    std::mt19937_64 m_random;
};
