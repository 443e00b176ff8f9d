#include "checking/CheckRun.h"

#include "checking/CheckTexts.h"
#include "dtazv/VekDTAZV.h"
#include "store/PaymentStore.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace checking {
namespace {

std::string withoutBlanks(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// Whether a stored value reads as its field's type: another program may have
// put a text or a BLOB into a number or date field.
bool readable(const store::Field& field)
{
    return store::isReadableAs(field.value(), field.type());
}

// Whether a stored number reaches a writer property of type Int as it is: a
// whole number inside the type's range. Anything else would be rounded or
// cut on its way and name another bank or account in the file.
template <typename Int>
bool holdsUnchanged(const store::Field& field)
{
    double value = 0;
    try {
        value = field.asFloat();
    } catch (const std::exception&) {
        return false; // a text that reads as no number at all
    }
    const double beyond = -static_cast<double>(std::numeric_limits<Int>::min());
    return value >= -beyond && value < beyond && std::trunc(value) == value;
}

// Whether one of the writer's checks raises: AddTransfer would then refuse
// the transfer and with it end the whole file.
template <typename Check>
bool writerRefuses(Check refuses)
{
    try {
        refuses();
        return false;
    } catch (const std::exception&) {
        return true;
    }
}

ResultLine red(const char* text)
{
    return {text, LineColour::Red};
}

ResultLine countLine(int count, bool english)
{
    if (count == 0)
        return {texts::kNone.in(english), LineColour::Normal};
    return red((std::to_string(count) + texts::kNotExecuted.in(english)).c_str());
}

} // namespace

CheckRun::CheckRun(store::PaymentStore& data, const dtazv::TVekDTAZV& writer)
    : m_data(data), m_writer(writer)
{}

CheckResult CheckRun::run(bool english)
{
    m_data.PostPendingEdits();
    CheckResult result;
    result.verdict = "J";

    // Header: the settings record's dates and the current ordering party.
    store::Cursor& settings = m_data.Stamm_tt;
    store::Cursor& orderer = m_data.Auftrag_tt;
    const double created = settings.field("Erstelldatum").asDate();
    const double execution = settings.field("Ausfuehrungstermin").asDate();
    const bool reportingAllowed = settings.field("Meldepflicht").asBoolean();
    const bool over50000Allowed = orderer.field("Zahlung50T").asBoolean();
    const auto fail = [&](ResultLine& line, const texts::Text& text) {
        line = red(text.in(english));
        result.verdict = "N";
    };
    if (created > execution)
        fail(result.mDatum, texts::kBeforeCreation);
    else if (execution > created + 15.0)
        fail(result.mDatum, texts::kAfter15Days);
    if (orderer.field("Name").asString().empty())
        fail(result.mName, texts::kNoClientName);
    if (orderer.field("BLZ").isNull() || !holdsUnchanged<int32_t>(orderer.field("BLZ")))
        fail(result.mBLZ, texts::kNoBankCode);
    if (orderer.field("KontoNr").isNull() || !holdsUnchanged<int64_t>(orderer.field("KontoNr")))
        fail(result.mKonto, texts::kNoAccount);

    {
        store::BulkRun bulk(m_data);
        store::Cursor& transfers = m_data.Zahlung_tt;
        std::vector<std::string> purposeLines;
        for (transfers.first(); !transfers.eof(); transfers.next()) {
            // All changes of one visit go into one commit.
            transfers.edit();
            std::string remark;
            bool marked = false;

            const std::string iban = withoutBlanks(transfers.field("IBAN").asString());
            const std::string bic = withoutBlanks(transfers.field("BIC").asString());
            if (iban != transfers.field("IBAN").asString())
                transfers.field("IBAN").setString(iban);
            if (bic != transfers.field("BIC").asString())
                transfers.field("BIC").setString(bic);

            // In whole units of 1/10,000, so that an amount stored a hair off
            // (1.00 as 0.9999999999999999) is judged as the amount it is. One
            // that cannot be read marks its transfer; taken as 0, it meets no
            // other amount rule once the rule below 1 is kept from it.
            const bool amountReadable = readable(transfers.field("BETRAG"));
            const store::Money amount =
                amountReadable ? transfers.field("BETRAG").asMoney() : store::Money();
            const auto apply = [&](bool fails, bool marks, const texts::Text& text, int* counter) {
                if (!fails)
                    return;
                marked = marked || marks;
                remark += text.in(english);
                if (counter)
                    ++*counter;
            };
            apply(!amountReadable, true, texts::kUnreadableAmount, nullptr);
            apply(amountReadable && amount < store::Money::fromWhole(1), true, texts::kBelowOne,
                  &result.amountsBelowOne);
            apply(amount.roundedToWhole() > 50000 && !over50000Allowed, true, texts::kOver50000,
                  &result.amountsOver50000);
            apply(amount >= store::Money::fromWhole(12500), !reportingAllowed, texts::kReportable,
                  &result.reportableAmounts);
            // Amounts below 1 are marked already; above, the only refusal is
            // an amount beyond the file's amount field.
            apply(amount >= store::Money::fromWhole(1) &&
                      writerRefuses([&] { m_writer.CheckAmount(amount.toDouble()); }),
                  true, texts::kAmountTooLarge, nullptr);
            apply(transfers.field("Name").asString().empty(), true, texts::kNoName,
                  &result.missingPayeeNames);

            bool ibanFails = false;
            try {
                m_writer.CheckIBAN(iban);
            } catch (const std::exception&) {
                ibanFails = true;
            }
            apply(ibanFails, true, texts::kWrongIban, &result.wrongIbans);
            bool bicFails = false;
            try {
                m_writer.CheckBIC(bic);
            } catch (const std::exception&) {
                bicFails = true;
            }
            apply(bicFails, true, texts::kWrongBic, &result.wrongBics);

            // The purpose lines as the file creation hands them over.
            purposeLines.clear();
            for (const char* name : {"Verwendungszweck1", "Verwendungszweck2", "Verwendungszweck3",
                                     "Verwendungszweck4"}) {
                if (std::string line = transfers.field(name).asString(); !line.empty())
                    purposeLines.push_back(std::move(line));
            }
            apply(writerRefuses([&] { m_writer.CheckPurposeLinesFit(purposeLines); }), true,
                  texts::kPurposeTooLong, nullptr);

            const bool dateReadable = readable(transfers.field("Ausfuehrungsdatum"));
            apply(!dateReadable, true, texts::kUnreadableDate, &result.wrongDates);
            if (dateReadable && !transfers.field("Ausfuehrungsdatum").isNull()) {
                const double date = transfers.field("Ausfuehrungsdatum").asDate();
                if (created > date)
                    apply(true, true, texts::kDateBeforeCreation, &result.wrongDates);
                else if (date > created + 15.0)
                    apply(true, true, texts::kDateAfter15Days, &result.wrongDates);
            }

            transfers.field("PRUEFEN").setBoolean(marked);
            transfers.field("Hinweis").setString(remark);
            transfers.post();
            if (marked)
                result.marked.push_back({transfers.field("Zaehler").asLargeInt(),
                                         transfers.field("Name").asString(),
                                         transfers.field("Hinweis").asString()});
        }
    }

    result.m1EUR = countLine(result.amountsBelowOne, english);
    result.mB50000 = countLine(result.amountsOver50000, english);
    result.mMelde = countLine(result.reportableAmounts, english);
    if (result.reportableAmounts > 0)
        result.mMelde = red((std::to_string(result.reportableAmounts) +
                             (reportingAllowed ? "" : texts::kReportableNotExecuted))
                                .c_str());
    // A transfer without a payee name is left out of the file like any other
    // marked one, so the certificate must not report all in order.
    result.mEmpfName = countLine(result.missingPayeeNames, english);
    result.mIBAN = countLine(result.wrongIbans, english);
    result.mBIC = countLine(result.wrongBics, english);
    result.mAusDat = countLine(result.wrongDates, english);
    result.mHinweis = result.allowsFile() ? std::string() : texts::kNoFile.in(english);
    return result;
}

} // namespace checking
