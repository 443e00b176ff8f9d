#include "store/Transaction.h"

#include "StoreFixture.h"

namespace store::test {
namespace {

class TransactionTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        data.openAll();
        addTransfer("Alt 1");
        addTransfer("Alt 2");
        data.Import_tt.refresh(); // the rows were added through the other cursor
    }

    // What the file holds, read by a fresh connection.
    std::vector<std::string> storedNames()
    {
        PaymentStore other;
        other.pointAt(dir.string());
        other.Zahlung_tt.open();
        return names(other.Zahlung_tt);
    }
};

TEST_F(TransactionTest, LeavingWithoutCommitUndoesDeletesInsertsAndEdits)
{
    {
        Transaction transaction(data.connection);
        Cursor& c = data.Import_tt;
        c.first();
        c.edit();
        c.field("Name").setString("Geaendert");
        c.post();
        c.last();
        c.remove();
        c.append();
        c.field("Name").setString("Neu");
        c.post();
        EXPECT_EQ(names(data.Import_tt), (std::vector<std::string>{"Geaendert", "Neu"}));
    }
    data.Import_tt.refresh();
    data.Zahlung_tt.refresh();
    EXPECT_EQ(names(data.Import_tt), (std::vector<std::string>{"Alt 1", "Alt 2"}));
    EXPECT_EQ(names(data.Zahlung_tt), (std::vector<std::string>{"Alt 1", "Alt 2"}));
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Alt 1", "Alt 2"}));
}

TEST_F(TransactionTest, CommitStoresEverythingAndOthersSeeNothingBefore)
{
    Transaction transaction(data.connection);
    Cursor& c = data.Import_tt;
    for (c.last(); c.recordCount() > 0; c.last())
        c.remove();
    c.append();
    c.field("Name").setString("Neu");
    c.post();
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Alt 1", "Alt 2"}));
    transaction.commit();
    EXPECT_FALSE(transaction.isOpen());
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Neu"}));
}

TEST_F(TransactionTest, ExplicitRollbackThenLeavingIsHarmless)
{
    {
        Transaction transaction(data.connection);
        data.Import_tt.first();
        data.Import_tt.remove();
        transaction.rollback();
    }
    // The connection takes ordinary single commits again.
    addTransfer("Danach");
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Alt 1", "Alt 2", "Danach"}));
}

} // namespace
} // namespace store::test
