// Decimal and big integer over many generated values: the text they write
// reads back to the same value, and their arithmetic agrees with exact
// 128-bit integer arithmetic done in the test.
#include "tsxmllib/BigInteger.h"
#include "tsxmllib/Decimal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace TsXmlLib16;

namespace {

// Exact arithmetic for the oracle (a compiler extension, hence the marker).
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

std::string Digits(std::mt19937_64& rng, int count, bool leadingNonZero)
{
    std::string s;
    for (int i = 0; i < count; ++i) {
        const int low = (i == 0 && leadingNonZero) ? 1 : 0;
        s += static_cast<char>('0' + std::uniform_int_distribution<int>(low, 9)(rng));
    }
    return s;
}

// The exact text of value / 10^scale.
std::string ScaledText(Int128 value, int scale)
{
    const bool negative = value < 0;
    UInt128 magnitude = negative ? static_cast<UInt128>(-value) : value;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude);
    while (static_cast<int>(digits.size()) <= scale)
        digits.insert(digits.begin(), '0');
    if (scale > 0)
        digits.insert(digits.size() - static_cast<std::size_t>(scale), ".");
    return (negative ? "-" : "") + digits;
}

Int128 Pow10(int n)
{
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// A random value with up to 18 digits in all and up to 6 after the point.
struct Scaled {
    Int128 value;
    int scale;
};

Scaled RandomScaled(std::mt19937_64& rng)
{
    const int scale = std::uniform_int_distribution<int>(0, 6)(rng);
    const int digits = std::uniform_int_distribution<int>(1, 18)(rng);
    Int128 v = static_cast<Int128>(std::stoll(Digits(rng, digits, false)));
    if (rng() & 1)
        v = -v;
    return {v, scale};
}

} // namespace

TEST(NumberProperties, DecimalTextReadsBackToTheSameValue)
{
    std::mt19937_64 rng(20261206);
    for (int i = 0; i < 5000; ++i) {
        std::string text = (rng() % 3 == 0) ? "-" : "";
        text += Digits(rng, std::uniform_int_distribution<int>(1, 40)(rng), false);
        if (rng() & 1)
            text += "." + Digits(rng, std::uniform_int_distribution<int>(1, 30)(rng), false);
        const CDecimal value(text);
        const std::string written = value.ToString();
        const CDecimal back(written);
        ASSERT_EQ(value, back) << text << " wrote " << written;
        ASSERT_EQ(written, back.ToString()) << text;
    }
}

TEST(NumberProperties, BigIntegerTextReadsBackToTheSameValue)
{
    std::mt19937_64 rng(61206);
    for (int i = 0; i < 5000; ++i) {
        const std::string text =
            std::string(rng() & 1 ? "-" : "") + Digits(rng, std::uniform_int_distribution<int>(1, 80)(rng), true);
        const CBigInteger value(text);
        ASSERT_EQ(text, value.ToString());
        ASSERT_EQ(value, CBigInteger(value.ToString()));
    }
}

TEST(NumberProperties, DecimalArithmeticAgreesWithExactIntegers)
{
    std::mt19937_64 rng(7);
    for (int i = 0; i < 3000; ++i) {
        const Scaled a = RandomScaled(rng);
        const Scaled b = RandomScaled(rng);
        const CDecimal da(ScaledText(a.value, a.scale));
        const CDecimal db(ScaledText(b.value, b.scale));
        const int common = std::max(a.scale, b.scale);
        const Int128 ac = a.value * Pow10(common - a.scale);
        const Int128 bc = b.value * Pow10(common - b.scale);
        ASSERT_EQ(CDecimal(ScaledText(ac + bc, common)), da + db) << ScaledText(a.value, a.scale) << " + "
                                                                   << ScaledText(b.value, b.scale);
        ASSERT_EQ(CDecimal(ScaledText(ac - bc, common)), da - db);
        ASSERT_EQ(CDecimal(ScaledText(a.value * b.value, a.scale + b.scale)), da * db);
        ASSERT_EQ(ac < bc, da < db);
        ASSERT_EQ(ac == bc, da == db);
        // A quotient that is exact at the precision limit: (a * b) / b = a.
        if (b.value != 0) {
            ASSERT_EQ(da, (da * db) / db);
        }
    }
}

TEST(NumberProperties, BigIntegerArithmeticAgreesWithExactIntegers)
{
    std::mt19937_64 rng(11);
    for (int i = 0; i < 3000; ++i) {
        const Int128 a = RandomScaled(rng).value;
        const Int128 b = RandomScaled(rng).value;
        const CBigInteger ba(ScaledText(a, 0));
        const CBigInteger bb(ScaledText(b, 0));
        ASSERT_EQ(ScaledText(a + b, 0), (ba + bb).ToString());
        ASSERT_EQ(ScaledText(a - b, 0), (ba - bb).ToString());
        ASSERT_EQ(ScaledText(a * b, 0), (ba * bb).ToString());
        ASSERT_EQ(a < b, ba < bb);
        if (b != 0) {
            const CBigInteger q = ba / bb;
            const CBigInteger r = ba % bb;
            // Whatever way the quotient rounds, it and the remainder rebuild a,
            // and the remainder is smaller than the divisor.
            ASSERT_EQ(ba, q * bb + r);
            const CBigInteger absR = r < CBigInteger(0) ? CBigInteger(0) - r : r;
            const CBigInteger absB = bb < CBigInteger(0) ? CBigInteger(0) - bb : bb;
            ASSERT_TRUE(absR < absB);
            ASSERT_EQ(ScaledText(a / b, 0), q.ToString()) << ScaledText(a, 0) << " / " << ScaledText(b, 0);
        }
    }
}
