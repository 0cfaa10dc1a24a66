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
    for (int i = 0; i < count; ++i)
        s += static_cast<char>('0' + std::uniform_int_distribution<int>(i == 0 && leadingNonZero ? 1 : 0, 9)(rng));
    return s;
}

// The exact text of value / 10^scale.
std::string ScaledText(Int128 value, int scale)
{
    UInt128 magnitude = value < 0 ? static_cast<UInt128>(-value) : value;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude);
    while (static_cast<int>(digits.size()) <= scale)
        digits.insert(digits.begin(), '0');
    if (scale > 0)
        digits.insert(digits.size() - static_cast<std::size_t>(scale), ".");
    return (value < 0 ? "-" : "") + digits;
}

Int128 Pow10(int n)
{
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// A signed value of up to 18 digits.
Int128 RandomValue(std::mt19937_64& rng)
{
    const Int128 v = static_cast<Int128>(std::stoll(Digits(rng, std::uniform_int_distribution<int>(1, 18)(rng), false)));
    return (rng() & 1) ? -v : v;
}

} // namespace

TEST(NumberProperties, TextReadsBackToTheSameValue)
{
    std::mt19937_64 rng(20261206);
    for (int i = 0; i < 1500; ++i) {
        std::string text = (rng() % 3 == 0) ? "-" : "";
        text += Digits(rng, std::uniform_int_distribution<int>(1, 40)(rng), false);
        if (rng() & 1)
            text += "." + Digits(rng, std::uniform_int_distribution<int>(1, 30)(rng), false);
        const CDecimal value(text);
        const CDecimal back(value.ToString());
        ASSERT_EQ(value, back) << text << " wrote " << value.ToString();
        ASSERT_EQ(value.ToString(), back.ToString()) << text;

        const std::string integer =
            std::string(rng() & 1 ? "-" : "") + Digits(rng, std::uniform_int_distribution<int>(1, 80)(rng), true);
        ASSERT_EQ(integer, CBigInteger(integer).ToString());
    }
}

TEST(NumberProperties, ArithmeticAgreesWithExactIntegers)
{
    std::mt19937_64 rng(7);
    for (int i = 0; i < 1500; ++i) {
        const int as = std::uniform_int_distribution<int>(0, 6)(rng);
        const int bs = std::uniform_int_distribution<int>(0, 6)(rng);
        const Int128 a = RandomValue(rng);
        const Int128 b = RandomValue(rng);
        const CDecimal da(ScaledText(a, as));
        const CDecimal db(ScaledText(b, bs));
        const int common = std::max(as, bs);
        const Int128 ac = a * Pow10(common - as);
        const Int128 bc = b * Pow10(common - bs);
        ASSERT_EQ(CDecimal(ScaledText(ac + bc, common)), da + db) << ScaledText(a, as) << " + " << ScaledText(b, bs);
        ASSERT_EQ(CDecimal(ScaledText(ac - bc, common)), da - db);
        ASSERT_EQ(CDecimal(ScaledText(a * b, as + bs)), da * db);
        ASSERT_EQ(ac < bc, da < db);
        ASSERT_EQ(ac == bc, da == db);

        const CBigInteger ba(ScaledText(a, 0));
        const CBigInteger bb(ScaledText(b, 0));
        ASSERT_EQ(ScaledText(a + b, 0), (ba + bb).ToString());
        ASSERT_EQ(ScaledText(a - b, 0), (ba - bb).ToString());
        ASSERT_EQ(ScaledText(a * b, 0), (ba * bb).ToString());
        ASSERT_EQ(a < b, ba < bb);
        if (b != 0) {
            ASSERT_EQ(da, (da * db) / db); // a quotient exact at the precision limit
            ASSERT_EQ(ScaledText(a / b, 0), (ba / bb).ToString()) << ScaledText(a, 0) << " / " << ScaledText(b, 0);
            ASSERT_EQ(ScaledText(a % b, 0), (ba % bb).ToString()) << ScaledText(a, 0) << " % " << ScaledText(b, 0);
        }
    }
}
