#pragma once

#include "dtazv/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The three DTAZV record layouts. A file is one Q record, one T record per
// transfer and one Z record, with nothing between or after them.
namespace dtazv {

inline constexpr std::size_t kHeaderRecordLength = 256;
inline constexpr std::size_t kTransferRecordLength = 768;
inline constexpr std::size_t kTrailerRecordLength = 256;

// Largest whole-unit amount of a transfer (the amount is held in 32 bits)
// and largest total of a file (the Z record's sum has 15 digits).
inline constexpr int64_t kMaxWholeAmount = 2147483647;
inline constexpr int64_t kMaxAmountSum = 999999999999999;

struct AmountSplit
{
    int64_t whole = 0;  // positions 459-472 and what the Z sum adds
    int hundredths = 0; // positions 473-474, followed by "0"
};

// Whole units truncated toward zero, hundredths rounded half to even, and a
// hundredths value of 100 carried into the whole units. Raises DtazvError for
// an amount that is negative, not a number, or whose whole units would reach
// 2147483648.
AmountSplit splitAmount(double amount);

struct HeaderRecord
{
    int32_t bankCode = 0;
    int64_t accountNumber = 0;
    std::string_view name;
    std::string_view name2;
    std::string_view street;
    std::string_view place;
    DateTime created = 0;
    int serial = 0;
    DateTime execution = 0;
};

struct TransferRecord
{
    int32_t bankCode = 0;
    int64_t accountNumber = 0;
    std::string_view accountCurrency;
    DateTime execution = 0;
    std::string_view bic;
    std::string_view countryCode;
    std::string_view payee1;
    std::string_view payee2;
    std::string_view payee3;
    std::string_view payee4;
    std::string_view iban;
    std::string_view orderCurrency;
    AmountSplit amount;
    // Already converted (AddTransfer converts them in place); the first four are written.
    const std::vector<std::string>* purposeLines = nullptr;
    std::string_view statementText;
    std::string_view contactPerson;
};

// Each replaces the contents of `out` with the record in the file's code page.
void buildHeaderRecord(std::string& out, const HeaderRecord& header);
void buildTransferRecord(std::string& out, const TransferRecord& transfer);
void buildTrailerRecord(std::string& out, int64_t amountSum, int64_t transferCount);

} // namespace dtazv
