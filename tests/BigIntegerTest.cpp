// Big integer: parsing, exact arithmetic across limb boundaries, truncating
// division, checked narrowing and the integer square root.
#include "tsxmllib/BigInteger.h"
#include "tsxmllib/Decimal.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

using namespace TsXmlLib16;

namespace {

using TestSupport::MessageOf;

std::string Text(const CBigInteger& v) { return v.ToString(); }

// A 300-digit and a 280-digit number and their product.
const char* const kA =
    "526018159083016613186091390996030824628194821993518190937865797543231948757491186252760189555979711471049746"
    "507529170342366712768426846563212233079244026859952890786666176031372159010928159013962459571177774121547280"
    "385280841485253888539336338750047439575513137353799075116372651676122202972997528820";
const char* const kB =
    "182633043483954862057986828288072902227918058887180334018780175989834788783848372616751361341252427316723268"
    "656355150587706589481131144024264628897514026140141931417058649208312402344834782450400088387371678684335326"
    "502014620168493407224704558530435205617483380141269060443198296";
const char* const kAB =
    "960682973211584593047472722590452496541144101325093543600073514080401379185153954372967178447111274581113797"
    "694563467100245934584560366114433970743347171242317653106139395758871155031698249876021315782857556024850273"
    "474573938741263303836470769073574585509229140311361587578294216981925756233460403486162519272611521958604501"
    "415594722276376391802098129821418423791425794243042782341604099726109943216640867379990884698311924280190784"
    "759659658184477927056403781679558887710636532711700021160909779000614464676064840718791999690978065955355727"
    "38888239910404482124122947985234890720";

} // namespace

TEST(BigIntegerTest, ParseAndConstruct)
{
    EXPECT_EQ(Text(CBigInteger("-000123")), "-123");
    EXPECT_EQ(Text(CBigInteger(" - 12 ")), "-12");
    // Anything else is read as a decimal and rounded (an exact half goes down).
    EXPECT_EQ(Text(CBigInteger("12e2")), "1200");
    EXPECT_EQ(Text(CBigInteger("2.5")), "2");
    EXPECT_EQ(Text(CBigInteger("-2.6")), "-3");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([] { CBigInteger("12a"); }),
              "The string representing a Decimal, contained an invalid char at position 2 [12a].");

    EXPECT_EQ(Text(CBigInteger(INT64_MIN)), "-9223372036854775808");
    EXPECT_EQ(Text(CBigInteger::MIN_DOUBLE), "-17" + std::string(307, '0'));
    EXPECT_EQ(Text(CBigInteger(-2.5)), "-2"); // halves round down in magnitude
    EXPECT_EQ(Text(CBigInteger(1e20)), "100000000000000000000");
    EXPECT_THROW(CBigInteger{std::numeric_limits<double>::infinity()}, CTsInvalidValueException);
}

TEST(BigIntegerTest, CarriesAcrossLimbsAndSelfOperands)
{
    EXPECT_EQ(Text(CBigInteger("1000000000000000000") - CBigInteger(1)), "999999999999999999");
    EXPECT_EQ(Text(CBigInteger("999999999999999999999999999") + 1), "1000000000000000000000000000");
    CBigInteger square("999999999999");
    square *= square;
    EXPECT_EQ(Text(square), "999999999998000000000001");

    CBigInteger x(kA);
    const CBigInteger& same = x;
    x += same;
    x -= CBigInteger(kA);
    EXPECT_EQ(Text(x), kA);
    x -= same;
    EXPECT_EQ(x, CBigInteger("-0"));
    CBigInteger ten(10);
    EXPECT_EQ(Text(ten /= ten), "1");
}

TEST(BigIntegerTest, TruncatingDivisionAndRemainder)
{
    EXPECT_EQ(Text(CBigInteger(7) / CBigInteger(-2)), "-3");
    EXPECT_EQ(Text(CBigInteger(-7) % CBigInteger(2)), "-1");
    CBigInteger seven(7);
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { seven / CBigInteger(); }), "ERROR: Overflow in operator/.");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { seven /= CBigInteger(); }), "ERROR: Overflow in operator /=.");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { seven % CBigInteger(); }), "ERROR: Overflow in operator%.");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { seven %= CBigInteger(); }), "ERROR: Overflow in operator%=.");
    EXPECT_EQ(Text(seven), "7");
}

TEST(BigIntegerTest, LongOperandsAreExact)
{
    // Divisors whose leading limb is small or large, where the quotient estimates need correction.
    const CBigInteger a(kA);
    const CBigInteger b(kB);
    const CBigInteger product = a * b;
    EXPECT_EQ(Text(product), kAB);
    EXPECT_EQ(product / b, a);
    EXPECT_EQ((product + 12345) % b, CBigInteger(12345));

    const CBigInteger divisors[] = {CBigInteger("1000000000000000000000000001"), CBigInteger("999999999999999999999"),
                                    CBigInteger("1000000000999999999"), b, CBigInteger("-4294967297")};
    for (const CBigInteger& d : divisors) {
        for (const CBigInteger& n : {product, a.GetNegative(), product - 1, CBigInteger::Pow10(200)}) {
            const CBigInteger q = n / d;
            const CBigInteger r = n % d;
            EXPECT_EQ(q * d + r, n) << n.ToString() << " / " << d.ToString();
            EXPECT_LT(r.GetAbs(), d.GetAbs());
            EXPECT_TRUE(r == CBigInteger() || (r < CBigInteger()) == (n < CBigInteger()));
        }
    }
}

TEST(BigIntegerTest, CheckedNarrowing)
{
    EXPECT_EQ(static_cast<int>(CBigInteger("-2147483648")), INT32_MIN);
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([] { (void)static_cast<int>(CBigInteger("2147483648")); }),
              "ERROR: Value out of bound of int.");
    EXPECT_EQ(static_cast<long long>(CBigInteger("9223372036854775807")), INT64_MAX);
    EXPECT_EQ(MessageOf<CTsInvalidValueException>(
                  [] { (void)static_cast<long long>(CBigInteger("9223372036854775808")); }),
              "ERROR: Value out of bound of LONGLONG.");
    EXPECT_THROW((void)static_cast<long long>(CBigInteger("100000000000000000000000000000")), CTsInvalidValueException);
}

TEST(BigIntegerTest, SquareRoot)
{
    EXPECT_EQ(Text(CBigInteger(0).SquareRoot()), "0");
    const CBigInteger a(kA);
    const CBigInteger square = a * a;
    EXPECT_EQ(square.SquareRoot(), a);
    EXPECT_EQ((square - 1).SquareRoot(), a - 1);
    EXPECT_EQ((square + a + a).SquareRoot(), a);
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([] { CBigInteger(-1).SquareRoot(); }),
              "ERROR: Negative Number in function SquareRoot().");
}

// Four limbs (36 digits) are held in the object, five need a heap block: values
// that cross between the two keep every limb.
TEST(BigIntegerTest, ValuesAcrossTheInlineLimit)
{
    const std::string nines36(36, '9');
    CBigInteger x(nines36);
    x += 1;
    EXPECT_EQ(Text(x), "1" + std::string(36, '0'));
    x -= 1;
    EXPECT_EQ(Text(x), nines36);

    // Growth by multiplication and shrinking by division, both ways across.
    const CBigInteger fourLimbs("100000000200000000300000000400000000");
    const CBigInteger grown = fourLimbs * CBigInteger("1000000001");
    EXPECT_EQ(Text(grown), "100000000300000000500000000700000000400000000");
    EXPECT_EQ(grown / CBigInteger("1000000001"), fourLimbs);
    EXPECT_EQ(Text(grown % CBigInteger("1000000000000000000000000000000000000")),
              "300000000500000000700000000400000000");
    EXPECT_EQ(Text((grown * grown) / (grown * fourLimbs)), "1000000001");
}

TEST(BigIntegerTest, CopiesAndMovesOfInlineAndHeapValues)
{
    for (const char* text : {"-123456789012345678901234567890123456", "-1234567890123456789012345678901234567"}) {
        CBigInteger value(text);
        const CBigInteger copy(value);
        CBigInteger assigned(7);
        assigned = value;
        CBigInteger& alias = value;
        value = alias;
        EXPECT_EQ(Text(value), text);
        EXPECT_EQ(Text(copy), text);
        EXPECT_EQ(Text(assigned), text);

        CBigInteger moved(std::move(value));
        EXPECT_EQ(Text(moved), text);
        EXPECT_EQ(Text(value), "0"); // a moved-from value is zero and usable
        value += 5;
        EXPECT_EQ(Text(value), "5");
        assigned = std::move(moved);
        EXPECT_EQ(Text(assigned), text);
        CBigInteger& self = assigned;
        assigned = std::move(self);
        EXPECT_EQ(Text(assigned), text);
    }
}

TEST(BigIntegerTest, HeapValuesNormaliseToZero)
{
    CBigInteger big("-1" + std::string(60, '0'));
    CBigInteger other(big);
    big -= other;
    EXPECT_EQ(Text(big), "0");
    EXPECT_EQ(big, CBigInteger());
    EXPECT_FALSE(big < CBigInteger());
    big.Negate();
    EXPECT_EQ(Text(big), "0");
    // What was a heap value goes on as an ordinary small one.
    big += -3;
    EXPECT_EQ(Text(big), "-3");
    EXPECT_EQ(Text(other % CBigInteger("1" + std::string(30, '0'))), "0");
    EXPECT_EQ(Text(other / (other - 1)), "0");
}
