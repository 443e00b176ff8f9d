#include "dtazv/Records.h"

#include "dtazv/DtazvError.h"
#include "dtazv/Messages.h"
#include "dtazv/RecordBuilder.h"

#include <cmath>

namespace dtazv {
namespace {

constexpr std::size_t kLineWidth = 35;

int roundHalfToEven(double value)
{
    const double floor = std::floor(value);
    const double rest = value - floor;
    double rounded = floor;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0))
        rounded = floor + 1.0;
    return static_cast<int>(rounded);
}

} // namespace

AmountSplit splitAmount(double amount)
{
    if (std::isnan(amount))
        throw DtazvError(messages::kAmountNotANumber);
    if (amount < 0)
        throw DtazvError(messages::kAmountNegative);
    if (amount >= static_cast<double>(kMaxWholeAmount) + 1.0)
        throw DtazvError(messages::kAmountTooLarge);

    AmountSplit split;
    split.whole = static_cast<int64_t>(std::trunc(amount));
    split.hundredths = roundHalfToEven((amount - static_cast<double>(split.whole)) * 100.0);
    if (split.hundredths == 100) {
        split.hundredths = 0;
        split.whole += 1;
    }
    if (split.whole > kMaxWholeAmount)
        throw DtazvError(messages::kAmountTooLarge);
    return split;
}

void buildHeaderRecord(std::string& out, const HeaderRecord& h)
{
    RecordBuilder(out, kHeaderRecordLength)
        .constant("0256Q")
        .numeric(h.bankCode, 8)
        .numeric(h.accountNumber, 10)
        .converted(h.name, kLineWidth)
        .converted(h.name2, kLineWidth)
        .converted(h.street, kLineWidth)
        .converted(h.place, kLineWidth)
        .date(h.created)
        .numeric(h.serial, 2)
        .date(h.execution)
        .constant("N")        // report forwarding flag
        .constant("00")       // federal-state number
        .constant("00000000") // company number
        .blanks(68)
        .finish();
}

void buildTransferRecord(std::string& out, const TransferRecord& t)
{
    static const std::vector<std::string> kNoLines;
    const std::vector<std::string>& lines = t.purposeLines ? *t.purposeLines : kNoLines;

    RecordBuilder record(out, kTransferRecordLength);
    record.constant("0768T")
        .numeric(t.bankCode, 8)
        .raw(t.accountCurrency, 3)
        .numeric(t.accountNumber, 10)
        .date(t.execution)
        .constant("00000000") // bank code of the charges account
        .blanks(3)            // currency of the charges account
        .constant("0000000000")
        .raw(t.bic, 11)
        .blanks(3)             // country code of the payee's bank
        .blanks(140)           // name and address of the payee's bank
        .raw(t.countryCode, 2) // the first two characters of the payee's country
        .blanks(1)
        .converted(t.payee1, kLineWidth)
        .converted(t.payee2, kLineWidth)
        .converted(t.payee3, kLineWidth)
        .converted(t.payee4, kLineWidth)
        .blanks(70) // instructions to the payee
        .constant("/")
        .raw(t.iban, 34)
        .raw(t.orderCurrency, 3)
        .numeric(t.amount.whole, 14)
        .numeric(t.amount.hundredths, 2)
        .constant("0");
    // The lines are converted already, and plain ASCII copies unchanged.
    for (std::size_t i = 0; i < 4; ++i)
        record.raw(i < lines.size() ? std::string_view(lines[i]) : std::string_view(), kLineWidth);
    record
        .constant("00000000") // instruction codes 1 to 4
        .blanks(25)
        .constant("00") // charges rule
        .constant(t.orderCurrency == "EUR" ? "13" : "00")
        .converted(t.statementText, 27)
        .converted(t.contactPerson, kLineWidth)
        .constant("0") // reporting key
        .blanks(51)
        .constant("00") // no extension records follow
        .finish();
}

void buildTrailerRecord(std::string& out, int64_t amountSum, int64_t transferCount)
{
    RecordBuilder(out, kTrailerRecordLength)
        .constant("0256Z")
        .numeric(amountSum, 15)
        .numeric(transferCount, 15)
        .blanks(221)
        .finish();
}

} // namespace dtazv
