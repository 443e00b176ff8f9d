#pragma once

#include <QString>

namespace store {
class PaymentStore;
}

namespace filecreation {

class Report;

// Where a printed report goes: the program's modal print preview, or a PDF
// file for tests and the command line.
class ReportOutput
{
public:
    virtual ~ReportOutput() = default;
    virtual void show(const Report& report, const QString& title) = 0;
};

class PdfOutput final : public ReportOutput
{
public:
    explicit PdfOutput(QString path) : m_path(std::move(path)) {}
    void show(const Report& report, const QString& title) override;

private:
    QString m_path;
};

inline constexpr const char* kNoteTemplate = "Begleitzettel.rtm";
inline constexpr const char* kJournalTemplate = "Protokoll.rtm";

// The accompanying note for the bank, from "Begleitzettel.rtm" in the data
// directory: the file's count and sum, its dates, the order currency and the
// current ordering party. English captions when `english`.
void printAccompanyingNote(store::PaymentStore& data, const QString& dataDirectory, bool english,
                           ReportOutput& output);

// The journal of the transfers in the file, from "Protokoll.rtm": the
// transfer cursor filtered on "pruefen<>True" while it prints, and the filter
// off again afterwards, also when printing fails.
void printJournal(store::PaymentStore& data, const QString& dataDirectory, bool english,
                  ReportOutput& output);

} // namespace filecreation
