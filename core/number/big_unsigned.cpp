#include "number/big_unsigned.h"

#include <algorithm>
#include <bit>

namespace tarvik::float80 {

BigUnsigned::BigUnsigned(std::uint64_t v)
{
    for (; v != 0; v >>= 32)
        limbs_.push_back(static_cast<std::uint32_t>(v));
}

void BigUnsigned::trim()
{
    while (!limbs_.empty() && limbs_.back() == 0)
        limbs_.pop_back();
}

int BigUnsigned::bitLength() const
{
    if (limbs_.empty())
        return 0;
    return static_cast<int>(limbs_.size()) * 32 - std::countl_zero(limbs_.back());
}

std::uint64_t BigUnsigned::bits64(int from) const
{
    if (from < 0)
        return from <= -64 ? 0 : bits64(0) << -from;
    const auto at = static_cast<std::size_t>(from / 32);
    const int shift = from % 32;
    const auto limb = [this](std::size_t i) -> std::uint64_t { return i < limbs_.size() ? limbs_[i] : 0; };
    const std::uint64_t low = limb(at) | (limb(at + 1) << 32);
    return shift == 0 ? low : (low >> shift) | (limb(at + 2) << (64 - shift));
}

bool BigUnsigned::anyBitBelow(int below) const
{
    for (std::size_t i = 0; i < limbs_.size() && static_cast<int>(i) * 32 < below; ++i) {
        const int width = below - static_cast<int>(i) * 32;
        const std::uint32_t mask = width >= 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << width) - 1;
        if ((limbs_[i] & mask) != 0)
            return true;
    }
    return false;
}

void BigUnsigned::multiplyAdd(std::uint32_t factor, std::uint32_t addend)
{
    std::uint64_t carry = addend;
    for (auto& limb : limbs_) {
        const std::uint64_t t = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    if (carry != 0)
        limbs_.push_back(static_cast<std::uint32_t>(carry));
    trim();
}

void BigUnsigned::add(const BigUnsigned& other)
{
    if (limbs_.size() < other.limbs_.size())
        limbs_.resize(other.limbs_.size(), 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
        const std::uint64_t t =
            std::uint64_t{limbs_[i]} + (i < other.limbs_.size() ? other.limbs_[i] : 0) + carry;
        limbs_[i] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
        if (carry == 0 && i >= other.limbs_.size())
            break;
    }
    if (carry != 0)
        limbs_.push_back(static_cast<std::uint32_t>(carry));
}

void BigUnsigned::subtract(const BigUnsigned& other)
{
    if (!other.isZero())
        subtractScaled(other, 1, 0);
}

std::uint32_t BigUnsigned::divideSmall(std::uint32_t divisor)
{
    std::uint64_t rest = 0;
    for (std::size_t i = limbs_.size(); i-- > 0;) {
        const std::uint64_t t = (rest << 32) | limbs_[i];
        limbs_[i] = static_cast<std::uint32_t>(t / divisor);
        rest = t % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(rest);
}

std::string BigUnsigned::decimalDigits() const
{
    BigUnsigned rest = *this;
    std::string reversed;
    do {
        std::uint32_t chunk = rest.divideSmall(1'000'000'000);
        for (int i = 0; i < 9 && (chunk != 0 || !rest.isZero()); ++i, chunk /= 10)
            reversed += static_cast<char>('0' + chunk % 10);
    } while (!rest.isZero());
    if (reversed.empty())
        reversed.push_back('0');
    return {reversed.rbegin(), reversed.rend()};
}

BigUnsigned operator*(const BigUnsigned& a, const BigUnsigned& b)
{
    BigUnsigned product;
    if (a.isZero() || b.isZero())
        return product;
    product.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
    for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.limbs_.size(); ++j) {
            const std::uint64_t t = std::uint64_t{a.limbs_[i]} * b.limbs_[j] + product.limbs_[i + j] + carry;
            product.limbs_[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        product.limbs_[i + b.limbs_.size()] = static_cast<std::uint32_t>(carry);
    }
    product.trim();
    return product;
}

void BigUnsigned::multiplyByPowerOfFive(int n)
{
    constexpr std::uint32_t fiveTo13 = 1'220'703'125;
    for (; n >= 13; n -= 13)
        multiplyAdd(fiveTo13, 0);
    std::uint32_t rest = 1;
    for (; n > 0; --n)
        rest *= 5;
    multiplyAdd(rest, 0);
}

void BigUnsigned::shiftLeft(int bits)
{
    if (limbs_.empty() || bits == 0)
        return;
    const int part = bits % 32;
    if (part != 0) {
        std::uint32_t carry = 0;
        for (auto& limb : limbs_) {
            const std::uint32_t next = limb >> (32 - part);
            limb = (limb << part) | carry;
            carry = next;
        }
        if (carry != 0)
            limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), static_cast<std::size_t>(bits / 32), 0);
}

void BigUnsigned::subtractScaled(const BigUnsigned& other, std::uint32_t factor, std::size_t limbShift)
{
    std::uint64_t carry = 0;  // of the product other × factor
    std::uint64_t borrow = 0; // of the subtraction
    for (std::size_t j = 0; j < other.limbs_.size() || carry != 0 || borrow != 0; ++j) {
        const std::uint64_t product =
            (j < other.limbs_.size() ? std::uint64_t{other.limbs_[j]} * factor : 0) + carry;
        carry = product >> 32;
        const std::uint64_t take = (product & 0xFFFFFFFFu) + borrow;
        std::uint32_t& limb = limbs_[j + limbShift];
        borrow = limb < take ? 1 : 0;
        limb = static_cast<std::uint32_t>((std::uint64_t{limb} + (borrow << 32)) - take);
    }
    trim();
}

int compareScaled(const BigUnsigned& a, const BigUnsigned& b, std::size_t limbShift)
{
    if (b.isZero())
        return a.isZero() ? 0 : 1;
    const std::size_t bSize = b.limbs_.size() + limbShift;
    if (a.limbs_.size() != bSize)
        return a.limbs_.size() < bSize ? -1 : 1;
    for (std::size_t i = a.limbs_.size(); i-- > limbShift;) {
        const std::uint32_t bi = b.limbs_[i - limbShift];
        if (a.limbs_[i] != bi)
            return a.limbs_[i] < bi ? -1 : 1;
    }
    for (std::size_t i = 0; i < limbShift; ++i) {
        if (a.limbs_[i] != 0)
            return 1;
    }
    return 0;
}

int compare(const BigUnsigned& a, const BigUnsigned& b)
{
    if (a.limbs_.size() != b.limbs_.size())
        return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
        if (a.limbs_[i] != b.limbs_[i])
            return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
}

Quotient divide(BigUnsigned& num, const BigUnsigned& den, int quotientBits)
{
    // Schoolbook division in base 2^32. Each quotient digit is estimated from
    // below, out of the remainder's top bits and the divisor's top 32 bits
    // rounded up (off by at most a few), then corrected one step at a time.
    const int drop = std::max(den.bitLength() - 32, 0);
    const std::uint64_t denTop = den.bits64(drop) + (drop > 0 ? 1 : 0);
    Quotient q;
    for (int i = (quotientBits + 31) / 32 - 1; i >= 0; --i) {
        const auto shift = static_cast<std::size_t>(i);
        std::uint64_t digit = num.bits64(32 * i + drop) / denTop;
        if (digit != 0)
            num.subtractScaled(den, static_cast<std::uint32_t>(digit), shift);
        while (compareScaled(num, den, shift) >= 0) {
            num.subtractScaled(den, 1, shift);
            ++digit;
        }
        if (i >= 2)
            q.hi |= digit << (32 * (i - 2));
        else
            q.lo |= digit << (32 * i);
    }
    return q;
}

} // namespace tarvik::float80
