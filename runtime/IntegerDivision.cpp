// The compiler's helpers for 64-bit division on a 32-bit processor, which it calls for every
// 64-bit "/" and "%" whose divisor is not a constant it can multiply or shift by. Only 32-bit
// instructions: the processor's DIV when both numbers fit in 32 bits, else long division bit by
// bit.
#include <cstdint>

namespace {

struct Division {
    std::uint64_t quotient;
    std::uint64_t remainder;
};

Division divide(std::uint64_t dividend, std::uint64_t divisor) {
    if ((dividend >> 32) == 0 && (divisor >> 32) == 0) {
        const auto n = static_cast<std::uint32_t>(dividend);
        const auto d = static_cast<std::uint32_t>(divisor);
        return {n / d, n % d};
    }
    std::uint64_t quotient = 0;
    std::uint64_t remainder = 0;
    for (int bit = 63; bit >= 0; --bit) {
        // Doubled, the remainder stays below 2^64: it is below the divisor, and below 2^63 for
        // as long as the divisor has bit 63 set (no bit of the quotient can be set before the
        // last).
        remainder = (remainder << 1) | ((dividend >> bit) & 1);
        if (remainder >= divisor) {
            remainder -= divisor;
            quotient |= std::uint64_t{1} << bit;
        }
    }
    return {quotient, remainder};
}

std::uint64_t magnitude(std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

} // namespace

extern "C" {

std::uint64_t __udivdi3(std::uint64_t dividend, std::uint64_t divisor) {
    return divide(dividend, divisor).quotient;
}

std::uint64_t __umoddi3(std::uint64_t dividend, std::uint64_t divisor) {
    return divide(dividend, divisor).remainder;
}

// Truncating towards zero: the quotient is negative when the signs differ, the remainder takes
// the dividend's sign.
// Both at once, where the compiler needs quotient and remainder (std::to_chars, for one).
std::uint64_t __udivmoddi4(std::uint64_t dividend, std::uint64_t divisor,
                           std::uint64_t* remainder) {
    const Division result = divide(dividend, divisor);
    if (remainder != nullptr)
        *remainder = result.remainder;
    return result.quotient;
}

std::int64_t __divdi3(std::int64_t dividend, std::int64_t divisor) {
    const std::uint64_t quotient = divide(magnitude(dividend), magnitude(divisor)).quotient;
    return static_cast<std::int64_t>((dividend < 0) != (divisor < 0) ? 0 - quotient : quotient);
}

std::int64_t __moddi3(std::int64_t dividend, std::int64_t divisor) {
    const std::uint64_t remainder = divide(magnitude(dividend), magnitude(divisor)).remainder;
    return static_cast<std::int64_t>(dividend < 0 ? 0 - remainder : remainder);
}

std::int64_t __divmoddi4(std::int64_t dividend, std::int64_t divisor, std::int64_t* remainder) {
    if (remainder != nullptr)
        *remainder = __moddi3(dividend, divisor);
    return __divdi3(dividend, divisor);
}

} // extern "C"
