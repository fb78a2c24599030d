#include "big_unsigned.h"

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

bool BigUnsigned::bit(int i) const
{
    if (i < 0)
        return false;
    const auto limb = static_cast<std::size_t>(i / 32);
    return limb < limbs_.size() && ((limbs_[limb] >> (i % 32)) & 1) != 0;
}

std::uint64_t BigUnsigned::bits64(int from) const
{
    std::uint64_t v = 0;
    for (int i = 63; i >= 0; --i)
        v = (v << 1) | (bit(from + i) ? 1 : 0);
    return v;
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

void BigUnsigned::shiftRightOne()
{
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
        const std::uint32_t next = i + 1 < limbs_.size() ? limbs_[i + 1] : 0;
        limbs_[i] = (limbs_[i] >> 1) | (next << 31);
    }
    trim();
}

void BigUnsigned::subtract(const BigUnsigned& other)
{
    std::uint32_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
        const std::uint64_t take = std::uint64_t{i < other.limbs_.size() ? other.limbs_[i] : 0} + borrow;
        borrow = limbs_[i] < take ? 1 : 0;
        limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - take);
    }
    trim();
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

Quotient divide(BigUnsigned& num, BigUnsigned den, int quotientBits)
{
    // Restoring division, one quotient bit at a time: the quotients here are
    // short, the operands may be long.
    Quotient q;
    den.shiftLeft(quotientBits - 1);
    for (int i = quotientBits - 1; i >= 0; --i) {
        if (compare(num, den) >= 0) {
            num.subtract(den);
            if (i >= 64)
                q.hi |= std::uint64_t{1} << (i - 64);
            else
                q.lo |= std::uint64_t{1} << i;
        }
        den.shiftRightOne();
    }
    return q;
}

} // namespace tarvik::float80
