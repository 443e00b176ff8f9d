#pragma once

#include "dtazv/DtazvError.h"

#include <gtest/gtest.h>
#include <string>

namespace dtazv::test {

// Runs `action` and expects it to raise DtazvError with exactly `message`.
template <class Action>
void expectDtazvError(Action&& action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "no error raised; expected: " << message;
    } catch (const DtazvError& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
}

} // namespace dtazv::test
