#pragma once

#include "checking/CheckResult.h"

namespace dtazv {
class TVekDTAZV;
}
namespace store {
class PaymentStore;
}

namespace checking {

// The check run over the settings record, the current ordering party and
// every transfer: each transfer gets its mark and remark and loses the blanks
// in its IBAN and BIC (one commit per transfer), and the result tells whether
// a DTAZV file may be made. Runs as a bulk run: the grid is detached and the
// busy pointer shown, both restored also when the run stops on an error.
class CheckRun
{
public:
    CheckRun(store::PaymentStore& data, const dtazv::TVekDTAZV& writer);

    // `english` chooses the texts; the program passes whether the current
    // language is "English".
    CheckResult run(bool english);

private:
    store::PaymentStore& m_data;
    const dtazv::TVekDTAZV& m_writer;
};

} // namespace checking
