#include "exchange/TargetFields.h"

#include "store/Schema.h"

namespace exchange {

const std::vector<TargetField>& targetFields()
{
    static const std::vector<TargetField> fields{
        {"Betrag", "Betrag", "Amount"},
        {"BIC", "BIC", "BIC"},
        {"IBAN", "IBAN", "IBAN"},
        {"Name", "Name", "Name"},
        {"Name2", "Name2", "Name2"},
        {"Strasse", "Strasse", "Street"},
        {"OrtLand", "Ort Land", "City State"},
        {"Verwendungszweck1", "Verwendungszweck 1", "reason for transfer 1"},
        {"Verwendungszweck2", "Verwendungszweck 2", "reason for transfer 2"},
        {"Verwendungszweck3", "Verwendungszweck 3", "reason for transfer 3"},
        {"Verwendungszweck4", "Verwendungszweck 4", "reason for transfer 4"},
        {"Ausfuehrungsdatum", "Ausführungsdatum", "Remark date"},
    };
    return fields;
}

std::string targetFieldName(std::string_view text, bool english)
{
    for (const TargetField& field : targetFields()) {
        if (store::equalsIgnoringCase(text, field.name) ||
            store::equalsIgnoringCase(text, english ? field.english : field.german))
            return field.name;
    }
    return {};
}

} // namespace exchange
