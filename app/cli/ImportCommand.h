#pragma once

#include <functional>
#include <string>
#include <vector>

namespace store {
class PaymentStore;
}

namespace cli {

// The options of `tarvion-cli import FILE`, as typed.
struct ImportOptions
{
    std::string file;
    std::string format; // empty: from the file's name
    std::string sheet, table, rowElement;
    std::vector<std::string> maps; // FIELD=COLUMN
    std::string mode = "copy";
    std::vector<std::string> keys;
    bool noHeader = false;
    std::string skip, delimiter, quote, encoding, fixed, dateOrder, decimal, thousands;
    std::string spec, saveSpec;
};

// Takes `arg` when it is an import option, reading its value through
// `value`; false for any other argument.
bool takeImportOption(const std::string& arg, const std::function<std::string()>& value,
                      ImportOptions& options);

// Runs the import on the opened store, prints the count of imported
// transfers and returns the exit code: 0 imported, 1 refused (the message is
// raised as std::runtime_error, the transfers are unchanged).
int runImport(store::PaymentStore& data, const ImportOptions& options, bool english);

} // namespace cli
