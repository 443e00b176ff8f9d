#pragma once

#include <stdexcept>
#include <string>

namespace dtazv {

// A check of the writer failed; what() is the German message shown to the
// user, in UTF-8.
class DtazvError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The output file could not be created, written or closed.
class FileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace dtazv
