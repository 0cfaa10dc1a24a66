// Lexical forms of the primitive types: parsing, range checks, messages and output.
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Conversions.h"
#include "tsxmllib/TsException.h"

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

// Runs f and checks that it throws CTsInvalidValueException with exactly this message.
void ExpectInvalid(const std::function<void()>& f, const std::string& message)
{
    try {
        f();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const CTsInvalidValueException& e) {
        EXPECT_EQ(e.GetMessage(), message);
    } catch (const CTsException& e) {
        ADD_FAILURE() << "wrong exception class: " << e.GetMessage();
    }
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
    EXPECT_EQ(C::i4FromString("+12", kNone), 12);
    EXPECT_EQ(C::i4FromString("-0", kNone), 0);
    EXPECT_EQ(C::i4FromString("2147483647", kNone), 2147483647);
    EXPECT_EQ(C::i4FromString("-2147483648", kNone), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(C::i4FromString("007", kNone), 7); // no octal
    // Leading white space is skipped by the conversion itself, trailing is not.
    EXPECT_EQ(C::i4FromString(" \t12", kNone), 12);
    EXPECT_EQ(C::i4FromString(" 12 \n", kCollapse), 12);

    ExpectInvalid([] { C::i4FromString("2147483648", kNone); }, TooLarge("2147483648", "i4"));
    ExpectInvalid([] { C::i4FromString("-2147483649", kNone); }, TooLarge("-2147483649", "i4"));
    ExpectInvalid([] { C::i4FromString("12 ", kNone); }, CannotConvert("12 ", "i4"));
    ExpectInvalid([] { C::i4FromString("", kNone); }, CannotConvert("", "i4"));
    ExpectInvalid([] { C::i4FromString("   ", kCollapse); }, CannotConvert("", "i4"));
    for (const char* bad : {"abc", "+", "-", "--1", "+-1", "- 1", "0x10", "1.0", "1e3", "12a"})
        ExpectInvalid([bad] { C::i4FromString(bad, kNone); }, CannotConvert(bad, "i4"));
    // The range is reported first, even with trailing garbage, however long the digits run.
    ExpectInvalid([] { C::i4FromString("99999999999999999999999x", kNone); },
                  TooLarge("99999999999999999999999x", "i4"));
    // The message carries the text after the whitespace rule.
    ExpectInvalid([] { C::i4FromString("  1  2 ", kCollapse); }, CannotConvert("1 2", "i4"));
}

TEST(Conversions, UnsignedTypesNegateModuloTheirWidth)
{
    EXPECT_EQ(C::ui4FromString("-1", kNone), 4294967295u);
    EXPECT_EQ(C::ui4FromString("4294967295", kNone), 4294967295u);
    EXPECT_EQ(C::ui4FromString("-4294967295", kNone), 1u);
    ExpectInvalid([] { C::ui4FromString("4294967296", kNone); }, TooLarge("4294967296", "ui4"));
    ExpectInvalid([] { C::ui4FromString("-4294967296", kNone); }, TooLarge("-4294967296", "ui4"));
    ExpectInvalid([] { C::ui4FromString("x", kNone); }, CannotConvert("x", "ui4"));

    EXPECT_EQ(C::ui8FromString("18446744073709551615", kNone), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(C::ui8FromString("-1", kNone), std::numeric_limits<std::uint64_t>::max());
    ExpectInvalid([] { C::ui8FromString("18446744073709551616", kNone); }, TooLarge("18446744073709551616", "ui8"));
    ExpectInvalid([] { C::ui8FromString("", kNone); }, CannotConvert("", "ui8"));
}

TEST(Conversions, I8CoversTheFull64BitRange)
{
    EXPECT_EQ(C::i8FromString("9223372036854775807", kNone), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(C::i8FromString("-9223372036854775808", kNone), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(C::i8FromString("4294967296", kNone), 4294967296LL);
    ExpectInvalid([] { C::i8FromString("9223372036854775808", kNone); }, TooLarge("9223372036854775808", "i8"));
    ExpectInvalid([] { C::i8FromString("-9223372036854775809", kNone); }, TooLarge("-9223372036854775809", "i8"));
    ExpectInvalid([] { C::i8FromString("1 2", kNone); }, CannotConvert("1 2", "i8"));
}

TEST(Conversions, NarrowIntegersCheckTheirRangeAfterThe32BitConversion)
{
    EXPECT_EQ(C::i1FromString("127", kNone), 127);
    EXPECT_EQ(C::i1FromString("-128", kNone), -128);
    EXPECT_EQ(C::i2FromString("-32768", kNone), -32768);
    EXPECT_EQ(C::i2FromString("32767", kNone), 32767);
    EXPECT_EQ(C::ui1FromString("255", kNone), 255);
    EXPECT_EQ(C::ui2FromString("65535", kNone), 65535);

    ExpectInvalid([] { C::i1FromString("128", kNone); }, TooLarge("128", "i1"));
    ExpectInvalid([] { C::i1FromString("-129", kNone); }, TooLarge("-129", "i1"));
    ExpectInvalid([] { C::i2FromString("32768", kNone); }, TooLarge("32768", "i2"));
    ExpectInvalid([] { C::ui1FromString("256", kNone); }, TooLarge("256", "ui1"));
    ExpectInvalid([] { C::ui1FromString("-1", kNone); }, TooLarge("-1", "ui1"));
    ExpectInvalid([] { C::ui2FromString("65536", kNone); }, TooLarge("65536", "ui2"));
    // Text that is no 32-bit integer is reported by the wider conversion.
    ExpectInvalid([] { C::i1FromString("abc", kNone); }, CannotConvert("abc", "i4"));
    ExpectInvalid([] { C::i2FromString("2147483648", kNone); }, TooLarge("2147483648", "i4"));
    ExpectInvalid([] { C::ui2FromString("y", kNone); }, CannotConvert("y", "ui4"));
    // The range messages name the text as it was passed in.
    ExpectInvalid([] { C::i1FromString(" 200\t", kCollapse); }, TooLarge(" 200\t", "i1"));
}

TEST(Conversions, IntegersToText)
{
    EXPECT_EQ(C::i1ToString(static_cast<char>(-128)), "-128");
    EXPECT_EQ(C::i2ToString(-32768), "-32768");
    EXPECT_EQ(C::i4ToString(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(C::i8ToString(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(C::ui1ToString(255), "255");
    EXPECT_EQ(C::ui2ToString(65535), "65535");
    EXPECT_EQ(C::ui4ToString(4294967295u), "4294967295");
    EXPECT_EQ(C::ui8ToString(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");
    EXPECT_EQ(C::yearToString(999), "999");
    EXPECT_EQ(C::yearToString(2024), "2024");
    EXPECT_EQ(C::monthToString(5), "--05");
    EXPECT_EQ(C::monthToString(12), "--12");
    EXPECT_EQ(C::dayToString(7), "---07");
}

TEST(Conversions, FloatingPointSpellingsAreExact)
{
    EXPECT_EQ(C::r8FromString("INF", kNone), std::numeric_limits<double>::infinity());
    EXPECT_EQ(C::r8FromString("-INF", kNone), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(C::r8FromString("NaN", kNone)));
    EXPECT_TRUE(std::isnan(C::r8FromString("1.#QNAN", kNone)));
    EXPECT_TRUE(std::isnan(C::r8FromString("-NAN", kNone)));
    EXPECT_TRUE(std::isnan(C::r4FromString(" NaN ", kCollapse)));
    for (const char* bad : {"inf", "+INF", "Infinity", "nan", "NAN", "0x1p3", "1e", "1e+", ".", "e5", "1.5 ", "1,5", "--1"})
        ExpectInvalid([bad] { C::r8FromString(bad, kNone); }, CannotConvert(bad, "r8"));
    ExpectInvalid([] { C::r8FromString("", kNone); }, CannotConvert("", "r8"));
    ExpectInvalid([] { C::r4FromString("inf", kNone); }, CannotConvert("inf", "r4"));
}

TEST(Conversions, FloatingPointDecimalForms)
{
    EXPECT_EQ(C::r8FromString("1.5e+3", kNone), 1500.0);
    EXPECT_EQ(C::r8FromString("  -2.5E-1", kNone), -0.25);
    EXPECT_EQ(C::r8FromString(".5", kNone), 0.5);
    EXPECT_EQ(C::r8FromString("+5.", kNone), 5.0);
    EXPECT_EQ(C::r8FromString("0.1", kNone), 0.1);
    EXPECT_GT(C::r8FromString("4.9e-324", kNone), 0.0); // the smallest subnormal survives
    // Overflow and underflow are the C library's results, not errors.
    EXPECT_EQ(C::r8FromString("1e999", kNone), std::numeric_limits<double>::infinity());
    EXPECT_EQ(C::r8FromString("-1e999", kNone), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(C::r8FromString("123456789e99999999999999999999", kNone), std::numeric_limits<double>::infinity());
    EXPECT_EQ(C::r8FromString("1e-999", kNone), 0.0);
    EXPECT_TRUE(std::signbit(C::r8FromString("-1e-999", kNone)));
    EXPECT_EQ(C::r8FromString("0.000001e-330", kNone), 0.0);
    EXPECT_EQ(C::r8FromString("1000000e-320", kNone), 1e-314);

    EXPECT_EQ(C::r4FromString("0.1", kNone), 0.1f);
    EXPECT_EQ(C::r4FromString("3.4028234e38", kNone), std::numeric_limits<float>::max());
    // Beyond the float range the narrowed value is an infinity.
    EXPECT_EQ(C::r4FromString("3.5e38", kNone), std::numeric_limits<float>::infinity());
    EXPECT_EQ(C::r4FromString("-1e300", kNone), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(C::r4FromString("1e-50", kNone), 0.0f);
}

TEST(Conversions, FloatingPointToText)
{
    EXPECT_EQ(C::r4ToString(1.0f), "1");
    EXPECT_EQ(C::r4ToString(0.1f), "0.1");
    EXPECT_EQ(C::r4ToString(1.5e-7f), "1.5e-07");
    EXPECT_EQ(C::r4ToString(123456789.0f), "1.234568e+08");
    EXPECT_EQ(C::r8ToString(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(C::r8ToString(1e10), "10000000000");
    EXPECT_EQ(C::r8ToString(1e16), "1e+16");
    EXPECT_EQ(C::r8ToString(-0.0), "-0");
    EXPECT_EQ(C::r8ToString(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(C::r8ToString(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(C::r8ToString(std::nan("")), "NaN");
    EXPECT_EQ(C::r4ToString(-std::numeric_limits<float>::infinity()), "-INF");
    EXPECT_EQ(C::r4ToString(std::numeric_limits<float>::quiet_NaN(), "%.2f"), "NaN");
}

TEST(Conversions, FloatingPointWithCallerFormat)
{
    EXPECT_EQ(C::r8ToString(2.5, "%.2f"), "2.50");
    EXPECT_EQ(C::r4ToString(2.5f, "%08.3e"), "2.500e+00");
    EXPECT_EQ(C::r8ToString(2.5, "value=%g%%"), "value=2.5%");
    EXPECT_EQ(C::r8ToString(2.5, "%lf"), "2.500000");
    EXPECT_EQ(C::r8ToString(2.5, "fixed"), "fixed");
    // The text is limited to 31 characters for r4 and 47 for r8.
    EXPECT_EQ(C::r4ToString(1.0f, "%.40f"), "1." + std::string(29, '0'));
    EXPECT_EQ(C::r8ToString(1.0, "%.60f"), "1." + std::string(45, '0'));
    EXPECT_EQ(C::r8ToString(1.0, "%999f").size(), 47u);
    // Formats that cannot be given one double are refused rather than passed to printf.
    for (const char* bad : {"%s", "%d", "%n", "%f %f", "%*f", "%.*f", "%Lf", "%", "%1$f", "%9999f", "%.1234f"})
        ExpectInvalid([bad] { C::r8ToString(1.0, bad); },
                      std::string("The format [") + bad + "] can not be used to write a r8 value");
    EXPECT_THROW(C::r4ToString(1.0f, "%x"), CTsInvalidValueException);
}

TEST(Conversions, BooleanCharAndString)
{
    EXPECT_TRUE(C::booleanFromString("TRUE", kNone));
    EXPECT_TRUE(C::booleanFromString("1", kNone));
    EXPECT_FALSE(C::booleanFromString("fAlSe", kNone));
    EXPECT_FALSE(C::booleanFromString("0", kNone));
    EXPECT_TRUE(C::booleanFromString("\n true ", kCollapse));
    const std::string booleanMessage =
        "A Boolean Value read from an XML document was invalid [%s]. Valid values are 'true', 'false', '1', or '0'";
    for (const std::string bad : {"yes", "true ", "01", "", "truex", "tru"}) {
        std::string message = booleanMessage;
        message.replace(message.find("%s"), 2, bad);
        ExpectInvalid([bad] { C::booleanFromString(bad, kNone); }, message);
    }
    std::string message = booleanMessage;
    message.replace(message.find("%s"), 2, " yes ");
    ExpectInvalid([] { C::booleanFromString(" yes ", kCollapse); }, message);
    EXPECT_EQ(C::booleanToString(true), "true");
    EXPECT_EQ(C::booleanToString(false), "false");

    EXPECT_EQ(C::charFromString("x", kNone), 'x');
    EXPECT_EQ(C::charFromString("  x ", kCollapse), 'x');
    EXPECT_EQ(C::charFromString(" ", kNone), ' ');
    const char* charMessage = "] can not be a char as it is either empty of greater than 1 char long";
    ExpectInvalid([] { C::charFromString("ab", kNone); }, std::string("The value [ab") + charMessage);
    ExpectInvalid([] { C::charFromString("", kNone); }, std::string("The value [") + charMessage);
    ExpectInvalid([] { C::charFromString(" a b ", kCollapse); }, std::string("The value [a b") + charMessage);
    EXPECT_EQ(C::charToString('x'), "x");
    EXPECT_EQ(C::charToString('\0'), std::string(1, '\0'));

    EXPECT_EQ(C::stringFromString(" a\r\n b ", kNone), " a\r\n b ");
    EXPECT_EQ(C::stringFromString(" a\r\n b ", CWhitespaceUtils::WhitespaceRule_Replace), " a  b ");
    EXPECT_EQ(C::stringToString("text"), "text");
    EXPECT_THROW(C::stringFromString("x", static_cast<CWhitespaceUtils::WhitespaceRule>(7)), CTsException);
}

TEST(Conversions, BinaryForms)
{
    const unsigned char bytes[] = {0x00, 0x1f, 0xab, 0xff};
    const CBinaryData data(const_cast<unsigned char*>(bytes), 4, false);
    EXPECT_EQ(C::hexBinaryToString(data), "001FABFF");
    EXPECT_EQ(C::hexBinaryFromString(" 001fabFF ", kCollapse), data);
    EXPECT_EQ(C::base64BinaryFromString(C::base64BinaryToString(data), kNone), data);
    EXPECT_EQ(C::base64BinaryToString(C::hexBinaryFromString("", kNone)), "");
    EXPECT_THROW(C::hexBinaryFromString("ABC", kNone), CTsException);
}

} // namespace
