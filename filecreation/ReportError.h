#pragma once

#include <stdexcept>
#include <string>

namespace filecreation {

// A report could not be loaded or printed; what() names the file and the fault.
class ReportError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace filecreation
