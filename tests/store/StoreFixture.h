#pragma once

#include "TableFiles.h"
#include "store/PaymentStore.h"
#include "store/StoreError.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace store::test {

// A fresh data directory with the five empty table files and a store
// pointed at it (not yet opened).
class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::random_device random;
        dir = std::filesystem::temp_directory_path() /
              ("tarvion-store-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(dir);
        tablegen::createEmptyTables(dir.string(), false);
        data.connection.setBusyTimeout(50);
        data.pointAt(dir.string());
    }

    void TearDown() override
    {
        data.pointAt(dir.string()); // closes every cursor and the connection
        data.connection.disconnect();
        std::filesystem::remove_all(dir);
    }

    // Appends and posts a transfer with the given name (and mark).
    void addTransfer(const std::string& name, bool marked = false, double amount = 10.0)
    {
        Cursor& z = data.Zahlung_tt;
        z.append();
        z.field("Name").setString(name);
        z.field("BETRAG").setFloat(amount);
        if (marked)
            z.field("PRUEFEN").setBoolean(true);
        z.post();
    }

    std::vector<std::string> names(Cursor& cursor)
    {
        std::vector<std::string> result;
        for (cursor.first(); !cursor.eof(); cursor.next())
            result.push_back(cursor.field("Name").asString());
        return result;
    }

    std::filesystem::path dir;
    PaymentStore data;
};

// Expects `action` to raise StoreError whose message contains `part`.
template <class Action>
void expectStoreError(Action&& action, const std::string& part)
{
    try {
        action();
        ADD_FAILURE() << "no error raised; expected one containing: " << part;
    } catch (const StoreError& e) {
        EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
}

} // namespace store::test
