// Decimal: lexical forms and their errors, the precision limit and its
// rounding, arithmetic, fixed-place printing and the checked conversions.
#include "tsxmllib/Decimal.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace TsXmlLib16;

namespace {

using TestSupport::MessageOf;

std::string Text(const char* text) { return CDecimal(text).ToString(); }

std::string InvalidAt(int position, const std::string& text)
{
    return "The string representing a Decimal, contained an invalid char at position " + std::to_string(position) +
           " [" + text + "].";
}

std::string ParseError(const std::string& text)
{
    return MessageOf<CTsInvalidValueException>([&] { CDecimal value(text); });
}

// Every test starts and ends with the default precision.
class DecimalTest : public ::testing::Test {
protected:
    void SetUp() override { CDecimal::SetMaxDecimalPlaces(30); }
    void TearDown() override { CDecimal::SetMaxDecimalPlaces(30); }
};

} // namespace

TEST_F(DecimalTest, ParseAndPrint)
{
    EXPECT_EQ(Text(" 1 . 5 "), "1.5");
    EXPECT_EQ(Text("-0.0"), "0");
    EXPECT_EQ(Text("-25e - 3"), "-0.025");
    EXPECT_EQ(Text("1e"), "1");
    EXPECT_EQ(Text("7e-99999999999999999999"), "0");

    const CDecimal d("-1.05");
    EXPECT_EQ(d.GetIntegerPart().ToString(), "-1");
    EXPECT_EQ(d.GetFractionPart().ToString(), "-5");
    EXPECT_EQ(d.GetFractionDivider(), 2);
}

TEST_F(DecimalTest, RejectsWithPosition)
{
    EXPECT_EQ(ParseError("1.-5"), InvalidAt(2, "1.-5"));
    EXPECT_EQ(ParseError("1e5 -"), InvalidAt(4, "1e5 -"));

    // Section limits: 511 integer and fraction digits, a 31-digit exponent and
    // positive exponents up to 4096.
    const std::string digits511(511, '7');
    EXPECT_EQ(Text(digits511.c_str()), digits511);
    EXPECT_EQ(ParseError(digits511 + "7"), InvalidAt(511, digits511 + "7"));
    EXPECT_EQ(ParseError("0." + digits511 + "7"), InvalidAt(513, "0." + digits511 + "7"));
    const std::string exponent32 = "1e-" + std::string(32, '1');
    EXPECT_EQ(ParseError(exponent32), InvalidAt(34, exponent32));
    EXPECT_EQ(Text("1e4096"), "1" + std::string(4096, '0'));
    EXPECT_EQ(ParseError("1e4097"), InvalidAt(5, "1e4097"));
}

TEST_F(DecimalTest, PrecisionLimitRounding)
{
    // 31 fraction digits are rounded to 30; an exact half is dropped.
    EXPECT_EQ(Text("0.1234567890123456789012345678915"), "0.123456789012345678901234567891");
    EXPECT_EQ(Text("0.12345678901234567890123456789150001"), "0.123456789012345678901234567892");
    const CDecimal nines("0.9999999999999999999999999999999"); // a carry into the integer part
    EXPECT_EQ(nines.ToString(), "1");
    EXPECT_EQ(nines.GetIntegerPart().ToString(), "1");
    EXPECT_EQ((CDecimal(-2) / CDecimal(3)).ToString(), "-0.666666666666666666666666666667");

    CDecimal::SetMaxDecimalPlaces(5);
    EXPECT_EQ((CDecimal(1) / CDecimal(3)).ToString(), "0.33333");
    EXPECT_EQ((CDecimal("1.001") * CDecimal("1.001")).ToString(), "1.00200");
    CDecimal::SetMaxDecimalPlaces(0);
    EXPECT_EQ((CDecimal(7) / CDecimal(2)).ToString(), "3");
}

TEST_F(DecimalTest, Arithmetic)
{
    EXPECT_EQ((CDecimal("1.05") + CDecimal("2.95")).GetFractionDivider(), 1);
    EXPECT_EQ((CDecimal("0.5") / CDecimal("-0.25")).ToString(), "-2");

    CDecimal x("1.5");
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { x /= CDecimal("0.00"); }), "ERROR: Overflow in operator/.");
    EXPECT_EQ(x.ToString(), "1.5");
    x *= x;
    EXPECT_EQ((x++).ToString(), "2.25");
    EXPECT_EQ((--x).ToString(), "2.25");
    EXPECT_EQ(x.GetNegative().ToString(), "-2.25");
}

TEST_F(DecimalTest, ToStringWithPlaces)
{
    EXPECT_EQ(CDecimal("-2.345").ToString(2), "-2.35");
    EXPECT_EQ(CDecimal("2.5").ToString(0), "3.");
    EXPECT_EQ(CDecimal("-0.001").ToString(2), "-0.00");
    // A carry that shortens the fraction is still written with every place.
    EXPECT_EQ(CDecimal("99.96").ToString(1), "100.0");
    // At and beyond the precision limit the digits are cut, not rounded.
    EXPECT_EQ(CDecimal("0.5").ToString(32), "0.5" + std::string(31, '0'));
    EXPECT_EQ(CDecimal("0.25").ToString(-1), "0.");
}

TEST_F(DecimalTest, Conversions)
{
    EXPECT_EQ(CDecimal("-2.51").ToLong(), -3);
    EXPECT_EQ(CDecimal("2147483647.5").ToLong(), 2147483647);
    EXPECT_EQ(MessageOf<CTsOverFlowException>([] { CDecimal("2147483647.6").ToLong(); }),
              "The Decimal value if to large to fit into a LONG");

    EXPECT_EQ(CDecimal("2.96").ToLongLong(), 3); // rounding to one digit may carry first
    EXPECT_EQ(CDecimal("-9223372036854775808.2").ToLongLong(), INT64_MIN);
    EXPECT_EQ(MessageOf<CTsOverFlowException>([] { CDecimal("9223372036854775808").ToLongLong(); }),
              "The Decimal value if to large to fit into a LONGLONG");

    EXPECT_EQ(CDecimal("-2.6").ToBigInteger().ToString(), "-3");

    EXPECT_DOUBLE_EQ(CDecimal("1.7E+308").ToDouble(), 1.7e308);
    EXPECT_EQ(MessageOf<CTsOverFlowException>([] { CDecimal("1.8E+308").ToDouble(); }),
              "The Decimal value if to large to fit into a Double");
    EXPECT_EQ(CDecimal(0.1).ToString(), "0.1");
    EXPECT_EQ(CDecimal(1.0 / 3).ToString(), "0.3333333333333");
}

TEST_F(DecimalTest, LongOperandsAreExact)
{
    // The quotient of the product has few fraction digits, so dividing back is exact.
    const std::string integer =
        "526018159083016613186091390996030824628194821993518190937865797543231948757491186252760189555979711471049746"
        "507529170342366712768426846563212233079244026859952890786666176031372159010928159013962459571177774121547280";
    const CDecimal a(integer + ".0123456789");
    const CDecimal b("182633043483954862057986828288072902227918058887180334018780175989834788783848372616751.5");
    const CDecimal product = a * b;
    EXPECT_EQ((product / b).ToString(), integer + ".0123456789");
    EXPECT_EQ((a - a.GetIntegerPart()).ToString(), "0.0123456789");
    EXPECT_EQ((product + a) - product, a);
}

// The value is held as an integer of nine-digit limbs, four of them inline: texts
// whose point, zero runs and length fall on and beside those boundaries.
TEST_F(DecimalTest, TextRoundTripsAcrossLimbBoundaries)
{
    for (const char* text :
         {"0.000000001", "-0.0000000001", "-123456789.987654321", "1000000000.000000001", "7000000000",
          "12345678901234567890.5", "999999999999999999999999999.999999999", "-1000000000000000000000000000.000000001",
          "100000000000000000000000000000000000", "0.000000000000000000000000000001",
          // Either side of the values written from one machine word.
          "999999999999999999", "-99999999.9999999999", "0.999999999999999999", "-0.000000000000000001",
          "0.0000000000000000001", "1000000000000000000", "100000000000000000.1", "-1",
          "18446744073709551615", "-18446744073709551616", "1844674407370955161.5"}) {
        const CDecimal value(text);
        EXPECT_EQ(value.ToString(), text);
        EXPECT_EQ(CDecimal(value.ToString()), value) << text;
    }
    EXPECT_EQ(Text("1e36"), "1" + std::string(36, '0'));
    EXPECT_EQ(Text("-00012.3400e9"), "-12340000000");
    // A result whose fraction digits are all zero is written as an integer.
    EXPECT_EQ((CDecimal("0.25") + CDecimal("0.75")).ToString(), "1");
    EXPECT_EQ((CDecimal("-0.125") * CDecimal("8")).ToString(), "-1");
}

TEST_F(DecimalTest, ToStringWithPlacesAcrossLimbBoundaries)
{
    const CDecimal value("-1234567890.123456789012");
    EXPECT_EQ(value.ToString(0), "-1234567890.");
    EXPECT_EQ(value.ToString(9), "-1234567890.123456789");
    EXPECT_EQ(value.ToString(10), "-1234567890.1234567890");
    EXPECT_EQ(value.ToString(15), "-1234567890.123456789012000");
    // A carry through every limb into a fifth one.
    EXPECT_EQ(CDecimal("999999999999999999999999999.9999999999").ToString(9),
              "1000000000000000000000000000.000000000");
}

TEST_F(DecimalTest, ArithmeticAcrossTheInlineLimit)
{
    // 20 digits squared is 40: the product needs a heap block, its quotient not.
    const CDecimal x("-12345678901234567.123");
    const CDecimal square = x * x;
    EXPECT_EQ(square.ToString(), "152415787532388348563633765381192.497129");
    EXPECT_EQ(square / x, x);
    const CDecimal copy(square);
    EXPECT_EQ((square - copy).ToString(), "0");
    EXPECT_EQ((square - copy).GetFractionDivider(), 1);
    EXPECT_EQ((square + x.GetNegative() * x).ToString(), "0");
}
