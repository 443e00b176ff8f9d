#include "dtazv/Iban.h"

#include <cstdint>

namespace dtazv {
namespace {

// Reduces a stream of decimal digits modulo 97 in pieces: the remainder so
// far is the prefix of the next piece, which is filled up to nine digits, so
// no intermediate number has more than nine digits.
class Mod97
{
public:
    void add(unsigned digit)
    {
        m_number = m_number * 10 + digit;
        if (++m_digits == 9)
            reduce();
    }

    int remainder()
    {
        reduce();
        return static_cast<int>(m_number);
    }

private:
    void reduce()
    {
        m_number %= 97;
        m_digits = m_number < 10 ? 1 : 2;
    }

    uint64_t m_number = 0;
    unsigned m_digits = 0;
};

} // namespace

int IBANRemainder(std::string_view iban)
{
    const std::size_t head = iban.size() < 4 ? iban.size() : 4;
    Mod97 mod;
    for (std::size_t i = 0; i < iban.size(); ++i) {
        char c = iban[(i + head) % iban.size()];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c >= 'A' && c <= 'Z') {
            const unsigned number = static_cast<unsigned>(c - 'A' + 10);
            mod.add(number / 10);
            mod.add(number % 10);
        } else if (c >= '0' && c <= '9') {
            mod.add(static_cast<unsigned>(c - '0'));
        } else {
            return 0;
        }
    }
    return mod.remainder();
}

} // namespace dtazv
