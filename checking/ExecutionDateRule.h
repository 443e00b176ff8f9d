#pragma once

#include "dtazv/DateTime.h"

#include <functional>
#include <string>
#include <vector>

namespace store {
class PaymentStore;
}

namespace checking {

// The warnings for an execution date `execution` against the creation date
// `created`: more than 15 days after it, or before it. German in every
// language; the date is accepted all the same.
std::vector<std::string> executionDateWarnings(dtazv::DateTime execution, dtazv::DateTime created);

// Makes every value stored into the settings record's Ausfuehrungstermin go
// through the rule; `warn` shows each warning.
void installExecutionDateRule(store::PaymentStore& data,
                              std::function<void(const std::string& warning)> warn);

} // namespace checking
