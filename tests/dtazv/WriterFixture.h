#pragma once

#include "ExpectError.h"
#include "dtazv/DateTime.h"
#include "dtazv/VekDTAZV.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace dtazv::test {

// The moment every writer test runs at: Friday, 11 December 2026, 10:30.
inline DateTime fixedNow()
{
    return encodeDateTime({2026, 12, 11, 10, 30, 0, 0});
}

inline std::string blanks(std::size_t count)
{
    return std::string(count, ' ');
}

// `text` (ASCII or Windows-1252 bytes) left-aligned in a field of `width`.
inline std::string field(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text.substr(0, width) : text + blanks(width - text.size());
}

// Bytes `from` to `to` of a record, counted from 1 and both included.
inline std::string positions(const std::string& record, std::size_t from, std::size_t to)
{
    return record.substr(from - 1, to - from + 1);
}

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Transfer
{
    std::string bic = "COBADEFFXXX";
    std::string iban = "DE89370400440532013000";
    std::string payee1 = "Hans Meier";
    std::string payee2;
    std::string payee3;
    std::string payee4;
    std::string countryCode = "DE ";
    double amount = 100.0;
    std::vector<std::string> purposeLines{"Rechnung 1"};
    DateTime executionDate = 0;
    std::string statementText = " ";
    std::string contactPerson = " ";
    std::string accountCurrency = "EUR";
};

// A writer set up as the file-creation run sets it up, writing into a fresh
// temporary folder, with the clock fixed at fixedNow().
class WriterFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::random_device random;
        m_dir = std::filesystem::temp_directory_path() /
                ("tarvion-dtazv-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_dir);

        writer.setClock(fixedNow);
        writer.setAuftraggeberName("Muster GmbH");
        writer.setAuftraggeberName2("Buchhaltung");
        writer.setAuftraggeberStrasse("Hauptstraße 1");
        writer.setAuftraggeberOrt("München");
        writer.setAuftraggeberBLZ(37040044);
        writer.setAuftraggeberKontoNr(532013000);
        writer.setAusfuehrungsdatum(encodeDate(2026, 12, 13));
        writer.setPath(m_dir.string());
    }

    void TearDown() override
    {
        writer.AbortFile();
        std::filesystem::remove_all(m_dir);
    }

    void add(Transfer t)
    {
        writer.AddTransfer(t.bic, t.iban, t.payee1, t.payee2, t.payee3, t.payee4, t.countryCode,
                           t.amount, t.purposeLines, t.executionDate, t.statementText,
                           t.contactPerson, t.accountCurrency);
    }

    std::filesystem::path outputPath() const { return m_dir / writer.FileName(); }
    std::string output() const { return readFile(outputPath()); }

    // The records of a finished file with the given transfers.
    std::string fileWith(const std::vector<Transfer>& transfers)
    {
        writer.BeginFile(1);
        for (const Transfer& t : transfers)
            add(t);
        writer.EndFile();
        return output();
    }

    // The one T record of a finished file with `t` as its only transfer.
    std::string transferRecord(const Transfer& t)
    {
        const std::string file = fileWith({t});
        return file.size() == 512 + 768 ? file.substr(256, 768) : std::string();
    }

    std::filesystem::path m_dir;
    TVekDTAZV writer;
};

} // namespace dtazv::test
