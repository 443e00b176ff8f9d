#pragma once

#include <stdexcept>
#include <string>

namespace store {

// An operation of the store failed; what() is the message for the user.
class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace store
