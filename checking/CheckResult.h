#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace checking {

enum class LineColour
{
    Normal,
    Red,
};

struct ResultLine
{
    std::string text = "OK";
    LineColour colour = LineColour::Normal;
};

struct MarkedTransfer
{
    int64_t zaehler = 0;
    std::string name;
    std::string remark;
};

// What one check run found: the verdict, the seven counters and the result
// lines of the check certificate, named as in the dialog.
struct CheckResult
{
    std::string verdict = "J"; // "N": no file may be created

    int amountsBelowOne = 0;
    int amountsOver50000 = 0;
    int reportableAmounts = 0;
    int missingPayeeNames = 0;
    int wrongIbans = 0;
    int wrongBics = 0;
    int wrongDates = 0;

    ResultLine mDatum, mName, mKonto, mBLZ;
    ResultLine m1EUR, mB50000, mMelde, mEmpfName, mIBAN, mBIC, mAusDat;
    std::string mHinweis; // the final message; always shown in red

    std::vector<MarkedTransfer> marked; // in the order they were visited

    bool allowsFile() const { return verdict == "J"; }
};

} // namespace checking
