#include "store/PaymentStore.h"

namespace store {

PaymentStore::PaymentStore()
    : Zahlung_tt("Zahlung_tt", connection, zahlungTable()),
      Import_tt("Import_tt", connection, zahlungTable()),
      Auftrag_tt("Auftrag_tt", connection, auftraggeberTable()),
      BLZ_tt("BLZ_tt", connection, blzTable()), WH_TT("WH_TT", connection, waehrungTable()),
      Stamm_tt("Stamm_tt", connection, stammTable())
{
    // The transfer cursor does not offer the two columns only carried in the file.
    Zahlung_tt.offerFields({{"Zaehler"},
                            {"BLZNUM"},
                            {"BETRAG"},
                            {"KTO"},
                            {"TYP"},
                            {"KTONUM"},
                            {"PRUEFEN"},
                            {"Infofeld"},
                            {"BLZ"},
                            {"Name"},
                            {"Name2"},
                            {"Strasse"},
                            {"OrtLand"},
                            {"Hinweis"},
                            {"Verwendungszweck1"},
                            {"Verwendungszweck2"},
                            {"Verwendungszweck3"},
                            {"Verwendungszweck4"},
                            {"Ausfuehrungsdatum"},
                            {"IBAN_IMPORT"},
                            {"BIC_IMPORT"},
                            {"BIC"},
                            {"IBAN"},
                            {"Waehrung"}});

    Import_tt.offerFields({{"BETRAG", "Betrag"},
                           {"BIC"},
                           {"IBAN"},
                           {"Name", "Name", 27},
                           {"Name2"},
                           {"Strasse"},
                           {"OrtLand"},
                           {"Verwendungszweck1"},
                           {"Verwendungszweck2"},
                           {"Verwendungszweck3"},
                           {"Verwendungszweck4"},
                           {"Ausfuehrungsdatum"}});

    Auftrag_tt.addComputedField(
        "Bank", FieldType::Text, 40,
        [this](const Cursor&, const std::vector<Value>& row) { return bankName(row); });

    BLZ_tt.offerFields({{"BLZ"}, {"NAME"}, {"PLZ"}, {"ORT"}, {"BIC"}});
    BLZ_tt.setIndexName("BLZ");
}

void PaymentStore::pointAt(const std::string& dataDirectory)
{
    for (Cursor* cursor : cursorsInOpeningOrder())
        cursor->close();
    m_bankLookup = Statement();
    connection.disconnect();
    connection.setDataDirectory(dataDirectory);
    connection.connect();
}

std::vector<Cursor*> PaymentStore::cursorsInOpeningOrder()
{
    return {&Zahlung_tt, &Auftrag_tt, &BLZ_tt, &Import_tt, &WH_TT, &Stamm_tt};
}

void PaymentStore::openAll()
{
    for (Cursor* cursor : cursorsInOpeningOrder())
        cursor->open();
}

void PaymentStore::PostPendingEdits()
{
    if (Stamm_tt.state() == CursorState::Edit)
        Stamm_tt.post();
    for (Cursor* cursor : {&Auftrag_tt, &Zahlung_tt}) {
        if (cursor->state() == CursorState::Edit || cursor->state() == CursorState::Insert)
            cursor->post();
    }
}

// The short name of the bank whose code is the ordering party's BLZ written
// as a whole number; empty when the directory has none.
Value PaymentStore::bankName(const std::vector<Value>& row)
{
    if (!BLZ_tt.isOpen())
        return {};
    if (m_ordererBlzField < 0)
        m_ordererBlzField = Auftrag_tt.fieldIndex("BLZ");
    const Value& blz = row.at(static_cast<std::size_t>(m_ordererBlzField));
    if (isNull(blz) || !isReadableAs(blz, FieldType::Float))
        return {}; // a bank code that is no number names no bank
    if (!m_bankLookup.isValid())
        m_bankLookup = Statement(connection.handle(),
                                 "SELECT NAME FROM \"BLZ\".\"BLZ\" WHERE BLZ = ? COLLATE NOCASE "
                                 "ORDER BY rowid LIMIT 1",
                                 blzTable().fileName);
    m_bankLookup.reset();
    m_bankLookup.bind(1, std::to_string(valueAsLargeInt(blz, FieldType::Float)));
    Value name;
    if (m_bankLookup.step())
        name = m_bankLookup.columnText(0);
    m_bankLookup.reset();
    return name;
}

BulkRun::BulkRun(PaymentStore& store, bool showBusy) : m_store(store), m_showBusy(showBusy)
{
    m_store.Zahlung_tt.disableControls();
    if (m_showBusy && m_store.busyHook())
        m_store.busyHook()(true);
}

BulkRun::~BulkRun()
{
    try {
        m_store.Zahlung_tt.enableControls();
    } catch (const std::exception&) {
        // A view that cannot read a damaged table file again must not end
        // the program from a destructor; it reads again at the next change.
    }
    if (m_showBusy && m_store.busyHook())
        m_store.busyHook()(false);
}

} // namespace store
