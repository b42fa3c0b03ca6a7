#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// The checks of the addresses a fax or e-mail goes to.
class FaxAddress {
public:
    static constexpr std::size_t minimumFaxDigits = 7;

    /// An e-mail address: a local part of letters, digits and . _ % + - ' ! # $ & * / = ? ^ ` { } ~ (no leading,
    /// trailing or doubled dot), "@", then a domain of letter-digit-hyphen labels ending in a top-level domain of
    /// 2 to 63 letters, or an address in brackets.
    static bool isEmail(std::string_view address);
    /// The digits of a fax number once blanks, "-", "(", ")" and "+" are removed; empty when anything else
    /// remains.
    static std::string faxDigits(std::string_view number);
    /// A fax number: at least seven digits and nothing but the characters faxDigits removes.
    static bool isFaxNumber(std::string_view number);
};

} // namespace corvane
