#pragma once

#include <string>

namespace exchange {

enum class DateOrder
{
    DMY,
    MDY,
    YMD,
};

// How the texts of a source spell amounts, dates and yes/no.
struct ValueFormats
{
    DateOrder dateOrder = DateOrder::DMY;
    std::string decimal = ",";
    std::string thousands = ".";
    std::string currencySymbol = "€";
    std::string trueText = "Wahr (True)";
    std::string falseText = "Falsch (False)";
};

} // namespace exchange
