#include "ImportCommand.h"

#include "exchange/DelimitedTextReader.h"
#include "exchange/FixedWidthReader.h"
#include "exchange/ImportRun.h"
#include "exchange/TargetFields.h"
#include "filecreation/DisplayLocale.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace cli {

namespace {

[[noreturn]] void refuse(const std::string& option, const std::string& value, const char* expected)
{
    throw std::runtime_error(option + ": '" + value + "' is not " + expected);
}

int wholeNumber(const std::string& option, const std::string& text)
{
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end || number < 0)
        refuse(option, text, "a whole number");
    return number;
}

char oneCharacter(const std::string& option, const std::string& text)
{
    if (option == "--delimiter" && text == "tab")
        return '\t';
    if (option == "--quote" && text == "none")
        return '\0';
    if (text.size() != 1 || (text[0] & 0x80))
        refuse(option, text, "one ASCII character");
    return text[0];
}

std::string fieldName(const std::string& option, const std::string& text, bool english)
{
    const std::string name = exchange::targetFieldName(text, english);
    if (name.empty())
        refuse(option, text, "a field of the import");
    return name;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string formatOf(const ImportOptions& options)
{
    if (!options.format.empty())
        return options.format;
    const std::string extension = lower(std::filesystem::path(options.file).extension().string());
    for (const char* format : {"xlsx", "xls", "ods", "html", "xml"}) {
        if (extension == std::string(".") + format)
            return format;
    }
    return extension == ".htm" ? "html" : "text";
}

exchange::TextSourceOptions& textOptions(const ImportOptions& options,
                                         exchange::TextSourceOptions& text)
{
    text.encoding = options.encoding;
    text.titleRow = !options.noHeader;
    if (!options.skip.empty())
        text.skipLines = wholeNumber("--skip", options.skip);
    return text;
}

std::unique_ptr<exchange::SourceReader> textReader(const ImportOptions& options)
{
    if (!options.fixed.empty()) {
        auto reader = std::make_unique<exchange::FixedWidthReader>();
        textOptions(options, reader->options);
        std::string rest = options.fixed;
        for (std::size_t comma; !rest.empty();
             rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1)) {
            comma = rest.find(',');
            reader->options.columnStarts.push_back(wholeNumber("--fixed", rest.substr(0, comma)));
        }
        return reader;
    }
    auto reader = std::make_unique<exchange::DelimitedTextReader>();
    textOptions(options, reader->options);
    if (!options.delimiter.empty())
        reader->options.delimiter = oneCharacter("--delimiter", options.delimiter);
    if (!options.quote.empty())
        reader->options.quote = oneCharacter("--quote", options.quote);
    return reader;
}

exchange::ImportSettings settingsOf(const ImportOptions& options, bool english)
{
    exchange::ImportSettings settings;
    const auto mode = exchange::importModeNamed(options.mode);
    if (!mode)
        refuse("--mode", options.mode,
               "copy, append, update, update-or-append, delete or append-new");
    settings.mode = *mode;
    for (const std::string& map : options.maps) {
        const std::size_t equals = map.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == map.size())
            refuse("--map", map, "FIELD=COLUMN");
        settings.mapping.push_back(
            {fieldName("--map", map.substr(0, equals), english), map.substr(equals + 1)});
    }
    for (const std::string& key : options.keys)
        settings.keyFields.push_back(fieldName("--key", key, english));

    const std::string order = options.dateOrder.empty() ? "DMY" : options.dateOrder;
    if (order == "DMY")
        settings.formats.dateOrder = exchange::DateOrder::DMY;
    else if (order == "MDY")
        settings.formats.dateOrder = exchange::DateOrder::MDY;
    else if (order == "YMD")
        settings.formats.dateOrder = exchange::DateOrder::YMD;
    else
        refuse("--date-order", order, "DMY, MDY or YMD");
    // The system's separators unless others are given, as the program shows
    // amounts (a C/POSIX system counts as German).
    const QLocale system = filecreation::displayLocale();
    settings.formats.decimal =
        options.decimal.empty() ? system.decimalPoint().toStdString() : options.decimal;
    settings.formats.thousands =
        options.thousands.empty() ? system.groupSeparator().toStdString() : options.thousands;
    return settings;
}

} // namespace

bool takeImportOption(const std::string& arg, const std::function<std::string()>& value,
                      ImportOptions& options)
{
    struct Text
    {
        const char* name;
        std::string ImportOptions::*member;
    };
    static const Text texts[] = {
        {"--format", &ImportOptions::format},
        {"--sheet", &ImportOptions::sheet},
        {"--table", &ImportOptions::table},
        {"--row-element", &ImportOptions::rowElement},
        {"--mode", &ImportOptions::mode},
        {"--skip", &ImportOptions::skip},
        {"--delimiter", &ImportOptions::delimiter},
        {"--quote", &ImportOptions::quote},
        {"--encoding", &ImportOptions::encoding},
        {"--fixed", &ImportOptions::fixed},
        {"--date-order", &ImportOptions::dateOrder},
        {"--decimal", &ImportOptions::decimal},
        {"--thousands", &ImportOptions::thousands},
        {"--spec", &ImportOptions::spec},
        {"--save-spec", &ImportOptions::saveSpec},
    };
    for (const Text& t : texts) {
        if (arg == t.name) {
            options.*t.member = value();
            return true;
        }
    }
    if (arg == "--map")
        options.maps.push_back(value());
    else if (arg == "--key")
        options.keys.push_back(value());
    else if (arg == "--no-header")
        options.noHeader = true;
    else
        return false;
    return true;
}

int runImport(store::PaymentStore& data, const ImportOptions& options, bool english)
{
    if (options.file.empty())
        throw std::runtime_error("import needs the FILE to read");
    if (!options.spec.empty() || !options.saveSpec.empty())
        throw std::runtime_error("import specifications are not yet supported on the command line");
    const std::string format = formatOf(options);
    if (format != "text") {
        for (const char* known : {"xlsx", "xls", "ods", "html", "xml"}) {
            if (format == known)
                throw std::runtime_error("the format " + format +
                                         " is not yet supported; text files can be imported");
        }
        refuse("--format", format, "text, xlsx, xls, ods, html or xml");
    }
    if (!options.sheet.empty() || !options.table.empty() || !options.rowElement.empty())
        throw std::runtime_error("--sheet, --table and --row-element do not apply to text files");

    const exchange::ImportSettings settings = settingsOf(options, english);
    std::unique_ptr<exchange::SourceReader> reader = textReader(options);
    std::unique_ptr<exchange::RowStream> rows = reader->open(options.file, 0);
    if (!rows)
        throw std::runtime_error(reader->lastError());
    const exchange::ImportResult result = exchange::ImportRun(data, settings).run(*rows);
    if (result.status != exchange::ImportResult::Status::Imported)
        throw std::runtime_error(result.message + " No transfer was changed.");
    std::printf("%lld transfers imported", result.appended);
    if (exchange::needsKeyFields(settings.mode))
        std::printf(", %lld updated, %lld deleted", result.updated, result.deleted);
    std::printf("\n");
    return 0;
}

} // namespace cli
