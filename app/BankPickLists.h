#pragma once

#include <QObject>

class QComboBox;

namespace store {
class Cursor;
}

namespace app {

class CursorModel;
class FieldBinder;

// The two pick lists of the ordering party's bank over the bank-code
// directory: one keyed by bank code (a 400-pixel drop-down with code, name,
// post code and town, type-ahead on the code) and one showing the bank's
// name. Choosing in either stores the bank code in the ordering party's BLZ.
class BankPickLists : public QObject
{
    Q_OBJECT

public:
    BankPickLists(store::Cursor& directory, FieldBinder& orderer, QComboBox* codeBox,
                  QComboBox* nameBox, QObject* parent = nullptr);

private:
    void show();
    void choose(int row);
    void takeTypedCode();
    int rowOfCode(const QString& code) const;
    QString codeAt(int row) const;

    store::Cursor& m_directory;
    FieldBinder& m_orderer;
    CursorModel* m_model;
    QComboBox* m_codeBox;
    QComboBox* m_nameBox;
};

} // namespace app
