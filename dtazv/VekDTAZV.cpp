#include "dtazv/VekDTAZV.h"

#include "dtazv/DtazvError.h"
#include "dtazv/Iban.h"
#include "dtazv/Messages.h"
#include "dtazv/Records.h"
#include "dtazv/TextCodec.h"

#include <algorithm>

namespace dtazv {
namespace {

constexpr std::size_t kPurposePieceWidth = 27;
constexpr std::size_t kMaxPurposeLines = 4;

// Empty lines go, the others are converted; a line that becomes empty only
// through the conversion stays as an empty line. A single line longer than
// 27 characters becomes consecutive pieces of 27, the last holding the rest.
void preparePurposeLines(std::vector<std::string>& lines, std::string& scratch)
{
    for (std::size_t i = lines.size(); i-- > 0;) {
        if (lines[i].empty()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            text::convertInto(scratch, lines[i]);
            lines[i].assign(scratch);
        }
    }
    if (lines.size() == 1 && lines.front().size() > kPurposePieceWidth) {
        const std::string line = std::move(lines.front());
        lines.clear();
        for (std::size_t pos = 0; pos < line.size(); pos += kPurposePieceWidth)
            lines.push_back(line.substr(pos, kPurposePieceWidth));
    }
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isAsciiLetterOrDigit(char c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9');
}

// A currency code is three letters: anything else would reach the record's
// currency fields as it stands.
bool isCurrencyCode(const std::string& code)
{
    return code.size() == 3 && std::all_of(code.begin(), code.end(), isAsciiLetter);
}

} // namespace

void TVekDTAZV::SetCurrency(const std::string& code)
{
    if (!isCurrencyCode(code))
        throw DtazvError(messages::kCurrency);
    std::string upper = code;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    m_orderCurrency = std::move(upper);
}

void TVekDTAZV::BeginFile(int serial)
{
    if (serial < 0 || serial > 99)
        throw DtazvError(messages::kSerial);

    AbortFile();
    createOutputFile(Path() + m_fileName);

    CheckHeader();
    CheckName(AuftraggeberName());
    m_amountSum = 0;
    if (!isRepresentable(Ausfuehrungsdatum()))
        throw DtazvError(messages::kExecutionDate);
    const DateTime created = now();

    HeaderRecord header;
    header.bankCode = AuftraggeberBLZ();
    header.accountNumber = AuftraggeberKontoNr();
    header.name = AuftraggeberName();
    header.name2 = m_auftraggeberName2;
    header.street = m_auftraggeberStrasse;
    header.place = m_auftraggeberOrt;
    header.created = created;
    header.serial = serial;
    header.execution = Ausfuehrungsdatum();
    buildHeaderRecord(m_record, header);
    WriteString(m_record);
}

void TVekDTAZV::AddTransfer(const std::string& BIC, const std::string& IBAN,
                            const std::string& PayeeLine1, const std::string& PayeeLine2,
                            const std::string& PayeeLine3, const std::string& PayeeLine4,
                            const std::string& CountryCode, double Amount,
                            std::vector<std::string>& PurposeLines, DateTime ExecutionDate,
                            const std::string& StatementText, const std::string& ContactPerson,
                            const std::string& AccountCurrency)
{
    requireOpenFile();
    CheckBIC(BIC);
    CheckIBAN(IBAN);
    const AmountSplit amount = splitAmount(Amount);
    if (amount.whole > kMaxAmountSum - m_amountSum)
        throw DtazvError(messages::kAmountSum);
    if (!isCurrencyCode(AccountCurrency))
        throw DtazvError(messages::kAccountCurrency);

    preparePurposeLines(PurposeLines, m_scratch);
    CheckPurposeLines(PurposeLines);

    // A negative date stays as it is, a date in the past (also today without
    // a time of day) or more than 15 days ahead becomes the current moment.
    const DateTime current = now();
    if ((ExecutionDate >= 0 && ExecutionDate < current) || ExecutionDate > current + 15)
        ExecutionDate = current;
    if (!isRepresentable(ExecutionDate))
        throw DtazvError(messages::kExecutionDate);

    setTransferCount(TransferCount() + 1);

    TransferRecord transfer;
    transfer.bankCode = AuftraggeberBLZ();
    transfer.accountNumber = AuftraggeberKontoNr();
    transfer.accountCurrency = AccountCurrency;
    transfer.execution = ExecutionDate;
    transfer.bic = BIC;
    transfer.countryCode = CountryCode;
    transfer.payee1 = PayeeLine1;
    transfer.payee2 = PayeeLine2;
    transfer.payee3 = PayeeLine3;
    transfer.payee4 = PayeeLine4;
    transfer.iban = IBAN;
    transfer.orderCurrency = m_orderCurrency;
    transfer.amount = amount;
    transfer.purposeLines = &PurposeLines;
    transfer.statementText = StatementText;
    transfer.contactPerson = ContactPerson;
    buildTransferRecord(m_record, transfer);
    m_amountSum += amount.whole;
    WriteString(m_record);
}

void TVekDTAZV::EndFile()
{
    requireOpenFile();
    buildTrailerRecord(m_record, m_amountSum, TransferCount());
    WriteString(m_record);
    finishOutputFile();
}

bool TVekDTAZV::CheckName(const std::string& name) const
{
    if (name.empty())
        throw DtazvError(messages::kName);
    return true;
}

bool TVekDTAZV::CheckPurposeLines(const std::vector<std::string>& lines) const
{
    if (lines.size() > kMaxPurposeLines)
        throw DtazvError(messages::kPurposeLines);
    return true;
}

bool TVekDTAZV::CheckIBAN(const std::string& iban) const
{
    const std::size_t length = text::characterCount(iban);
    if (length < 5 || length > 34 || IBANRemainder(iban) != 1)
        throw DtazvError(messages::kIban);
    return true;
}

bool TVekDTAZV::CheckBIC(const std::string& bic) const
{
    // Counted in bytes: a character beyond ASCII is no BIC character anyway.
    if ((bic.size() != 8 && bic.size() != 11) ||
        !std::all_of(bic.begin(), bic.end(), isAsciiLetterOrDigit))
        throw DtazvError(messages::kBic);
    return true;
}

bool TVekDTAZV::CheckAmount(double amount) const
{
    splitAmount(amount);
    return true;
}

bool TVekDTAZV::CheckPurposeLinesFit(std::vector<std::string> lines) const
{
    std::string scratch;
    preparePurposeLines(lines, scratch);
    return CheckPurposeLines(lines);
}

std::string TVekDTAZV::ConvertText(const std::string& text)
{
    return text::convert(text);
}

void TVekDTAZV::requireOpenFile() const
{
    if (!isFileOpen())
        throw DtazvError(messages::kNoOpenFile);
}

} // namespace dtazv
