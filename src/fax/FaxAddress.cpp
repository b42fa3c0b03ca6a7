#include "FaxAddress.h"

namespace corvane {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLocalCharacter(char c)
{
    static constexpr std::string_view extra = "._%+-'!#$&*/=?^`{}~";
    return isLetter(c) || isDigit(c) || extra.find(c) != std::string_view::npos;
}

bool isBracketedAddress(std::string_view domain)
{
    if (domain.size() < 9 || domain.front() != '[' || domain.back() != ']')
        return false;
    domain = domain.substr(1, domain.size() - 2);
    int parts = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = domain.find('.', start);
        const std::string_view part = domain.substr(start, dot == std::string_view::npos ? dot : dot - start);
        if (part.empty() || part.size() > 3)
            return false;
        int value = 0;
        for (char c : part) {
            if (!isDigit(c))
                return false;
            value = value * 10 + (c - '0');
        }
        if (value > 255)
            return false;
        ++parts;
        if (dot == std::string_view::npos)
            break;
        start = dot + 1;
    }
    return parts == 4;
}

bool isDomain(std::string_view domain)
{
    if (isBracketedAddress(domain))
        return true;
    if (domain.empty() || domain.size() > 253)
        return false;
    int labels = 0;
    std::size_t start = 0;
    std::string_view last;
    for (;;) {
        const std::size_t dot = domain.find('.', start);
        const std::string_view label = domain.substr(start, dot == std::string_view::npos ? dot : dot - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
            return false;
        for (char c : label) {
            if (!isLetter(c) && !isDigit(c) && c != '-')
                return false;
        }
        last = label;
        ++labels;
        if (dot == std::string_view::npos)
            break;
        start = dot + 1;
    }
    if (labels < 2 || last.size() < 2)
        return false;
    for (char c : last) {
        if (!isLetter(c))
            return false;
    }
    return true;
}

} // namespace

bool FaxAddress::isEmail(std::string_view address)
{
    const std::size_t at = address.rfind('@');
    if (at == std::string_view::npos || at == 0 || at > 64)
        return false;
    const std::string_view local = address.substr(0, at);
    if (local.front() == '.' || local.back() == '.' || local.find("..") != std::string_view::npos)
        return false;
    for (char c : local) {
        if (!isLocalCharacter(c))
            return false;
    }
    return isDomain(address.substr(at + 1));
}

std::string FaxAddress::faxDigits(std::string_view number)
{
    std::string digits;
    for (char c : number) {
        if (isDigit(c))
            digits += c;
        else if (c != ' ' && c != '-' && c != '(' && c != ')' && c != '+')
            return {};
    }
    return digits;
}

bool FaxAddress::isFaxNumber(std::string_view number)
{
    return faxDigits(number).size() >= minimumFaxDigits;
}

} // namespace corvane
