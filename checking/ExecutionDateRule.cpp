#include "checking/ExecutionDateRule.h"

#include "store/PaymentStore.h"

namespace checking {

std::vector<std::string> executionDateWarnings(dtazv::DateTime execution, dtazv::DateTime created)
{
    std::vector<std::string> warnings;
    if (execution > created + 15.0)
        warnings.emplace_back(
            "Das Ausführungsdatum darf max. 15 Tage nach dem Erstellungsdatum liegen !");
    if (created > execution)
        warnings.emplace_back("Das Ausführungsdatum nicht vor dem Erstellungsdatum liegen !");
    return warnings;
}

void installExecutionDateRule(store::PaymentStore& data,
                              std::function<void(const std::string&)> warn)
{
    data.Stamm_tt.setValidator(
        "Ausfuehrungstermin",
        [warn = std::move(warn)](const store::Cursor& settings, const store::Value& value) {
            const store::Cursor::FieldInfo& date =
                settings.fieldInfo(settings.fieldIndex("Ausfuehrungstermin"));
            const dtazv::DateTime execution = store::valueAsDate(value, date.type);
            const dtazv::DateTime created = store::valueAsDate(
                settings.valueAt(settings.currentRow(), settings.fieldIndex("Erstelldatum")),
                store::FieldType::Date);
            for (const std::string& warning : executionDateWarnings(execution, created))
                warn(warning);
        });
}

} // namespace checking
