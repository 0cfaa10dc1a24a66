// Lexical forms of the primitive types: parsing, range checks, messages and output.
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Conversions.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

using namespace TsXmlLib16;

namespace {

using C = CConversions;
constexpr auto kNone = CWhitespaceUtils::WhitespaceRule_None;
constexpr auto kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;

void ExpectInvalid(const std::function<void()>& f, const std::string& message)
{
    EXPECT_EQ(TestSupport::MessageOf<CTsInvalidValueException>(f), message);
}

std::string CannotConvert(const std::string& text, const char* type)
{
    return "The value [" + text + "] can not be converted to a " + type;
}

std::string TooLarge(const std::string& text, const char* type)
{
    return "The value [" + text + "] is to large to fit in a " + type;
}

TEST(Conversions, I4ParsesLikeStrtolWithin32Bits)
{
    EXPECT_EQ(C::i4FromString("-2147483648", kNone), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(C::i4FromString("007", kNone), 7); // no octal
    // Leading white space is skipped by the conversion itself, trailing is not.
    EXPECT_EQ(C::i4FromString(" \t+12", kNone), 12);
    ExpectInvalid([] { C::i4FromString("12 ", kNone); }, CannotConvert("12 ", "i4"));
    ExpectInvalid([] { C::i4FromString("2147483648", kNone); }, TooLarge("2147483648", "i4"));
    for (const char* bad : {"", "-", "+-1", "0x10", "1e3"})
        ExpectInvalid([bad] { C::i4FromString(bad, kNone); }, CannotConvert(bad, "i4"));
    // The range is reported first, even with trailing garbage, however long the digits run.
    ExpectInvalid([] { C::i4FromString("99999999999999999999999x", kNone); },
                  TooLarge("99999999999999999999999x", "i4"));
    // The message carries the text after the whitespace rule.
    ExpectInvalid([] { C::i4FromString("  1  2 ", kCollapse); }, CannotConvert("1 2", "i4"));
}

TEST(Conversions, WideAndUnsignedIntegers)
{
    EXPECT_EQ(C::ui4FromString("-1", kNone), 4294967295u); // negated modulo the width
    ExpectInvalid([] { C::ui4FromString("-4294967296", kNone); }, TooLarge("-4294967296", "ui4"));
    EXPECT_EQ(C::ui8FromString("18446744073709551615", kNone), std::numeric_limits<std::uint64_t>::max());
    ExpectInvalid([] { C::ui8FromString("18446744073709551616", kNone); }, TooLarge("18446744073709551616", "ui8"));
    EXPECT_EQ(C::i8FromString("-9223372036854775808", kNone), std::numeric_limits<std::int64_t>::min());
    ExpectInvalid([] { C::i8FromString("9223372036854775808", kNone); }, TooLarge("9223372036854775808", "i8"));
}

TEST(Conversions, NarrowIntegersCheckTheirRangeAfterThe32BitConversion)
{
    EXPECT_EQ(C::i1FromString("-128", kNone), -128);
    ExpectInvalid([] { C::i1FromString("128", kNone); }, TooLarge("128", "i1"));
    ExpectInvalid([] { C::ui1FromString("-1", kNone); }, TooLarge("-1", "ui1"));
    // Text that is no 32-bit integer is reported by the wider conversion.
    ExpectInvalid([] { C::i2FromString("2147483648", kNone); }, TooLarge("2147483648", "i4"));
    ExpectInvalid([] { C::ui2FromString("y", kNone); }, CannotConvert("y", "ui4"));
    // The range messages name the text as it was passed in.
    ExpectInvalid([] { C::i1FromString(" 200\t", kCollapse); }, TooLarge(" 200\t", "i1"));

    EXPECT_EQ(C::i8ToString(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(C::monthToString(5), "--05");
    EXPECT_EQ(C::dayToString(7), "---07");
}

TEST(Conversions, FloatingPointFromText)
{
    EXPECT_EQ(C::r8FromString("-INF", kNone), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(C::r8FromString("1.#QNAN", kNone)));
    EXPECT_TRUE(std::isnan(C::r4FromString(" NaN ", kCollapse)));
    for (const char* bad : {"inf", "+INF", "nan", "0x1p3", "1e", ".", "1.5 "})
        ExpectInvalid([bad] { C::r8FromString(bad, kNone); }, CannotConvert(bad, "r8"));
    ExpectInvalid([] { C::r4FromString("inf", kNone); }, CannotConvert("inf", "r4"));

    EXPECT_EQ(C::r8FromString("  -2.5E-1", kNone), -0.25);
    EXPECT_GT(C::r8FromString("4.9e-324", kNone), 0.0); // the smallest subnormal survives
    // Overflow and underflow are the C library's results, not errors.
    EXPECT_EQ(C::r8FromString("123456789e99999999999999999999", kNone), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::signbit(C::r8FromString("-1e-999", kNone)));
    EXPECT_EQ(C::r8FromString("1000000e-320", kNone), 1e-314);
    EXPECT_EQ(C::r4FromString("3.5e38", kNone), std::numeric_limits<float>::infinity());
}

TEST(Conversions, FloatingPointToText)
{
    EXPECT_EQ(C::r4ToString(123456789.0f), "1.234568e+08");
    EXPECT_EQ(C::r8ToString(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(C::r8ToString(-0.0), "-0");
    EXPECT_EQ(C::r8ToString(std::nan("")), "NaN");
    EXPECT_EQ(C::r4ToString(std::numeric_limits<float>::quiet_NaN(), "%.2f"), "NaN");

    EXPECT_EQ(C::r8ToString(2.5, "value=%g%%"), "value=2.5%");
    // The text is limited to 31 characters for r4 and 47 for r8.
    EXPECT_EQ(C::r4ToString(1.0f, "%.40f"), "1." + std::string(29, '0'));
    EXPECT_EQ(C::r8ToString(1.0, "%999f").size(), 47u);
    // Formats that cannot be given one double are refused rather than passed to printf.
    for (const char* bad : {"%s", "%n", "%f %f", "%.*f", "%Lf", "%9999f"})
        ExpectInvalid([bad] { C::r8ToString(1.0, bad); },
                      std::string("The format [") + bad + "] can not be used to write a r8 value");
}

TEST(Conversions, BooleanCharAndString)
{
    EXPECT_FALSE(C::booleanFromString("fAlSe", kNone));
    EXPECT_TRUE(C::booleanFromString("\n true ", kCollapse));
    // The message names the text as passed in, before the whitespace rule.
    ExpectInvalid([] { C::booleanFromString(" yes ", kCollapse); },
                  "A Boolean Value read from an XML document was invalid [ yes ]. Valid values are 'true', 'false', "
                  "'1', or '0'");

    EXPECT_EQ(C::charFromString("  x ", kCollapse), 'x');
    ExpectInvalid([] { C::charFromString(" a b ", kCollapse); },
                  "The value [a b] can not be a char as it is either empty of greater than 1 char long");

    EXPECT_EQ(C::stringFromString(" a\r\n b ", CWhitespaceUtils::WhitespaceRule_Replace), " a  b ");
    EXPECT_THROW(C::stringFromString("x", static_cast<CWhitespaceUtils::WhitespaceRule>(7)), CTsException);
}

TEST(Conversions, BinaryForms)
{
    const unsigned char bytes[] = {0x00, 0x1f, 0xab, 0xff};
    const CBinaryData data(const_cast<unsigned char*>(bytes), 4, false);
    EXPECT_EQ(C::hexBinaryToString(data), "001FABFF");
    EXPECT_EQ(C::hexBinaryFromString(" 001fabFF ", kCollapse), data);
    EXPECT_EQ(C::base64BinaryFromString(C::base64BinaryToString(data), kNone), data);
    EXPECT_THROW(C::hexBinaryFromString("ABC", kNone), CTsException); // odd length
}

} // namespace
