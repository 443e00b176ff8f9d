// The command-line tool: works on the program's data directory without any
// window. See usage() for the commands.
#include "ImportCommand.h"
#include "checking/CheckRun.h"
#include "checking/ExecutionDateRule.h"
#include "dtazv/TextCodec.h"
#include "dtazv/VekDTAZV.h"
#include "filecreation/CreateFileWorkflow.h"
#include "filecreation/DisplayLocale.h"
#include "filecreation/Reports.h"
#include "language/CurrentLanguage.h"
#include "store/PaymentStore.h"
#include "store/Value.h"

#include <QGuiApplication>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

const char* usage()
{
    return "usage: tarvion-cli [options] COMMAND\n"
           "\n"
           "Works on the tables of Tarvion's data directory, as the program does.\n"
           "\n"
           "Commands:\n"
           "  check            check the ordering party, the settings and every transfer;\n"
           "                   stores marks and remarks, prints the check certificate and\n"
           "                   the marked transfers; exit code 0 when a DTAZV file may be\n"
           "                   created, 2 when not\n"
           "  create --out FILE [--note PDF] [--journal PDF]\n"
           "                   check, then write the DTAZV file of the unmarked transfers\n"
           "                   to FILE, store count and sum, order the transfers by name,\n"
           "                   and write the accompanying note and the journal as PDF\n"
           "                   files where asked; exit code 2 when the check refuses,\n"
           "                   1 when the file or a report could not be written\n"
           "  import FILE [import options]\n"
           "                   read transfers from FILE into the transfer table, all or\n"
           "                   nothing: a row that cannot be taken over is named and\n"
           "                   leaves the transfers unchanged (exit code 1)\n"
           "\n"
           "Options:\n"
           "  --data DIR       the data directory (default: the folder of this tool)\n"
           "  --party N        the ordering party whose Zaehler is N (default: the first)\n"
           "  --created DATE   creation date YYYY-MM-DD (default: today)\n"
           "  --execute DATE   execution date YYYY-MM-DD (default: today)\n"
           "  --help           this text\n"
           "\n"
           "Import options:\n"
           "  --format text    the kind of FILE (default: from its name); spreadsheets\n"
           "                   (xlsx, xls, ods), html and xml are not yet supported\n"
           "  --map FIELD=COLUMN\n"
           "                   fill FIELD (Betrag, BIC, IBAN, Name, Name2, Strasse,\n"
           "                   OrtLand, Verwendungszweck1-4, Ausfuehrungsdatum, or its\n"
           "                   label) from COLUMN (a title of the title row or a number\n"
           "                   from 1); repeated\n"
           "  --mode MODE      copy (default: replace all transfers), append, update,\n"
           "                   update-or-append, delete, append-new\n"
           "  --key FIELD      a field by which rows match, for the last four modes;\n"
           "                   repeated\n"
           "  --no-header      row 1 holds data, not titles\n"
           "  --skip N         lines to skip before the title row\n"
           "  --delimiter C    the field separator (default: the word tab, for a tab)\n"
           "  --quote C        the quote character (default: \"; the word none for none)\n"
           "  --encoding NAME  UTF-8, Windows-1252, ISO-8859-15, CP850, ... (default:\n"
           "                   guessed from the file)\n"
           "  --fixed S,S,...  fixed-width columns starting at these positions (from 1)\n"
           "  --date-order O   DMY (default), MDY or YMD\n"
           "  --decimal C      decimal separator (default: the system's; C/POSIX: ,)\n"
           "  --thousands C    thousands separator (default: the system's; C/POSIX: .)\n"
           "  --sheet, --table, --row-element, --spec, --save-spec\n"
           "                   for spreadsheets, pages, XML and saved specifications;\n"
           "                   not yet supported\n"
           "\n"
           "Texts follow the language stored in VIZUZAR.INI. Exit code 1: an error.\n";
}

struct Options
{
    std::string data;
    std::string command;
    long long party = 0;
    std::string created;
    std::string execute;
    std::string out;
    std::string note;
    std::string journal;
    cli::ImportOptions import;
    bool importOptionGiven = false;
};

[[noreturn]] void refuseValue(const std::string& option, const std::string& value,
                              const char* expected)
{
    throw std::runtime_error(option + ": '" + value + "' is not " + expected);
}

long long partyNumber(const std::string& option, const std::string& text)
{
    long long number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end)
        refuseValue(option, text, "a whole number");
    return number;
}

// Exactly YYYY-MM-DD, and a day that the month has.
std::string isoDate(const std::string& option, const std::string& text)
{
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                        std::all_of(text.begin(), text.end(),
                                    [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
    store::DateTime date = 0;
    if (!shaped || !store::parseDate(text, date))
        refuseValue(option, text, "a date YYYY-MM-DD");
    return text;
}

Options parse(int argc, char* argv[])
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        // The next argument, unless there is none or it is the next option.
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc || std::string_view(argv[i + 1]).rfind("--", 0) == 0)
                throw std::runtime_error(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--data")
            options.data = value();
        else if (arg == "--party")
            options.party = partyNumber(arg, value());
        else if (arg == "--created")
            options.created = isoDate(arg, value());
        else if (arg == "--execute")
            options.execute = isoDate(arg, value());
        else if (arg == "--out")
            options.out = value();
        else if (arg == "--note")
            options.note = value();
        else if (arg == "--journal")
            options.journal = value();
        else if (cli::takeImportOption(arg, value, options.import))
            options.importOptionGiven = true;
        else if (arg.rfind("--", 0) == 0)
            throw std::runtime_error("unknown option " + arg);
        else if (options.command.empty())
            options.command = arg;
        else if (options.command == "import" && options.import.file.empty())
            options.import.file = arg;
        else
            throw std::runtime_error("unexpected argument " + arg);
    }
    return options;
}

std::string today()
{
    const std::time_t now = std::time(nullptr);
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d", std::localtime(&now));
    return buffer;
}

std::string dataDirectory(const Options& options, const char* argv0)
{
    std::filesystem::path dir = options.data.empty()
                                    ? std::filesystem::canonical("/proc/self/exe").parent_path()
                                    : std::filesystem::path(options.data);
    if (options.data.empty() && argv0 == nullptr)
        dir = std::filesystem::current_path();
    std::string text = dir.string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

// As at the program's start: today's dates (or the given ones) in the
// settings record, the execution date through its rule.
void prepareSettings(store::PaymentStore& data, const Options& options)
{
    store::Cursor& settings = data.Stamm_tt;
    settings.edit();
    settings.field("Erstelldatum").setString(options.created.empty() ? today() : options.created);
    settings.field("Ausfuehrungstermin")
        .setString(options.execute.empty() ? today() : options.execute);
    settings.post();
}

void chooseParty(store::PaymentStore& data, long long party)
{
    store::Cursor& orderers = data.Auftrag_tt;
    orderers.first();
    if (party == 0)
        return;
    for (; !orderers.eof(); orderers.next()) {
        if (orderers.field("Zaehler").asLargeInt() == party)
            return;
    }
    throw std::runtime_error("there is no ordering party " + std::to_string(party));
}

void printLine(const char* caption, const checking::ResultLine& line)
{
    std::printf("%s %-27s %s\n", line.colour == checking::LineColour::Red ? "!" : " ", caption,
                line.text.c_str());
}

void printCertificate(const checking::CheckResult& r)
{
    std::printf("Tarvion - Test certificate\n\n");
    printLine("Remark date", r.mDatum);
    std::printf("  Client\n");
    printLine("  Name", r.mName);
    printLine("  Account number", r.mKonto);
    printLine("  Bank code number", r.mBLZ);
    std::printf("  Exchange data\n");
    printLine("  Amount < 1 EUR", r.m1EUR);
    printLine("  Amount > 50.000 EUR", r.mB50000);
    printLine("  Announce-requiring amount", r.mMelde);
    printLine("  Missing payee name", r.mEmpfName);
    printLine("  Incorrect IBAN", r.mIBAN);
    printLine("  Incorrect BIC", r.mBIC);
    printLine("  Incorrect Date", r.mAusDat);
    if (!r.mHinweis.empty())
        std::printf("\n! %s\n", r.mHinweis.c_str());
    if (!r.marked.empty()) {
        std::printf("\n");
        for (const checking::MarkedTransfer& t : r.marked) {
            // Padded by characters, not bytes, so that umlauts keep the columns.
            const std::size_t width = dtazv::text::characterCount(t.name);
            const std::string name = t.name + std::string(width < 35 ? 35 - width : 0, ' ');
            std::printf("%8lld  %s %s\n", static_cast<long long>(t.zaehler), name.c_str(),
                        t.remark.c_str());
        }
    }
}

int check(store::PaymentStore& data)
{
    const dtazv::TVekDTAZV writer;
    const checking::CheckResult r = checking::CheckRun(data, writer).run(language::isEnglish());
    printCertificate(r);
    return r.allowsFile() ? 0 : 2;
}

// The workflow's questions answered from the command line's options.
class CommandLineUi final : public filecreation::CreateFileUi
{
public:
    explicit CommandLineUi(const Options& options)
        : m_options(options), m_note(QString::fromStdString(options.note)),
          m_journal(QString::fromStdString(options.journal))
    {}

    void information(const std::string& text, const std::string& details) override
    {
        std::printf("%s\n", text.c_str());
        if (!details.empty())
            std::printf("%s\n", details.c_str());
    }
    void showCertificate(const checking::CheckResult& result) override { printCertificate(result); }
    std::optional<std::string> chooseOutputFile(const std::string&, const std::string&) override
    {
        return m_options.out;
    }
    // The note and the journal are written where their options ask for them.
    filecreation::ReportOutput* noteOutput(bool) override
    {
        return m_options.note.empty() ? nullptr : &m_note;
    }
    filecreation::ReportOutput* journalOutput(bool) override
    {
        return m_options.journal.empty() ? nullptr : &m_journal;
    }

private:
    const Options& m_options;
    filecreation::PdfOutput m_note;
    filecreation::PdfOutput m_journal;
};

int create(store::PaymentStore& data, const Options& options, const std::string& dir)
{
    if (options.out.empty())
        throw std::runtime_error("create needs --out FILE");
    dtazv::TVekDTAZV writer;
    filecreation::CreateFileWorkflow workflow(data, writer, dir);
    CommandLineUi ui(options);
    const auto outcome = workflow.run(ui, language::isEnglish());
    switch (outcome.status) {
    case filecreation::CreateFileWorkflow::Status::Created:
    case filecreation::CreateFileWorkflow::Status::ReportFailed:
        std::printf("%d transfers, sum %.2f, written to %s\n", outcome.count, outcome.sum,
                    outcome.path.c_str());
        return outcome.status == filecreation::CreateFileWorkflow::Status::Created ? 0 : 1;
    case filecreation::CreateFileWorkflow::Status::Refused:
        return 2;
    default:
        return 1;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        for (int i = 1; i < argc; ++i) {
            if (std::string(argv[i]) == "--help") {
                std::printf("%s", usage());
                return 0;
            }
        }
        const Options options = parse(argc, argv);
        if (options.command.empty()) {
            std::fprintf(stderr, "%s", usage());
            return 1;
        }
        if (options.command != "check" && options.command != "create" &&
            options.command != "import")
            throw std::runtime_error("unknown command " + options.command);
        if (options.importOptionGiven && options.command != "import")
            throw std::runtime_error("the import options apply to the import command only");
        // Reports are painted with Qt, which needs an application, not a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        filecreation::applyDisplayLocale();

        const std::string dir = dataDirectory(options, argv[0]);
        store::PaymentStore data;
        checking::installExecutionDateRule(
            data, [](const std::string& warning) { std::printf("%s\n", warning.c_str()); });
        data.pointAt(dir);
        language::setCurrentLanguage(language::storedLanguage(dir + "VIZUZAR.INI"));
        data.openAll();
        if (options.command == "import")
            return cli::runImport(data, options.import, !language::isGermanForExchange());
        prepareSettings(data, options);
        chooseParty(data, options.party);
        return options.command == "check" ? check(data) : create(data, options, dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvion-cli: %s\n", e.what());
        return 1;
    }
}
