// Lexical forms of the XML Schema primitive types: one pair of functions per type
// that turns a native value into text and text into a native value.
#ifndef TSXMLLIB_CONVERSIONS_H
#define TSXMLLIB_CONVERSIONS_H

#include "tsxmllib/BigInteger.h"
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/DateTime.h"
#include "tsxmllib/DateTimeSpan.h"
#include "tsxmllib/Decimal.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/WhitespaceUtils.h"

#include <cstdint>
#include <string>

namespace TsXmlLib16 {

// Every FromString function first applies the white-space rule to the text and
// throws CTsInvalidValueException for text that is not a value of its type.
class TSXMLLIB_EXPORT CConversions {
public:
    using WhitespaceRule = CWhitespaceUtils::WhitespaceRule;

    CConversions() = delete;

    static std::string i1ToString(char value);
    static std::string i2ToString(short value);
    static std::string i4ToString(std::int32_t value);
    static std::string i8ToString(std::int64_t value);
    static std::string ui1ToString(unsigned char value);
    static std::string ui2ToString(unsigned short value);
    static std::string ui4ToString(std::uint32_t value);
    static std::string ui8ToString(std::uint64_t value);
    // NaN, -INF and INF; otherwise printf-style with the format, "%.7g" / "%.16g"
    // when it is empty. A format must hold at most one floating-point conversion.
    static std::string r4ToString(float value);
    static std::string r4ToString(float value, const std::string& format);
    static std::string r8ToString(double value);
    static std::string r8ToString(double value, const std::string& format);
    static std::string booleanToString(bool value);
    static std::string charToString(char value);
    static std::string stringToString(const std::string& value);
    static std::string yearToString(unsigned short value);
    static std::string monthToString(unsigned char value); // --MM
    static std::string dayToString(unsigned char value);   // ---DD
    // The lexical form of whatever date type the value has.
    static std::string dateToString(const CDateTime& value);
    static std::string datetimeToString(const CDateTime& value);
    static std::string timeToString(const CDateTime& value);
    static std::string yearMonthToString(const CDateTime& value);
    static std::string monthDayToString(const CDateTime& value);
    static std::string durationToString(const CDateTimeSpan& value);
    static std::string decimalToString(const CDecimal& value);
    // A non-empty format gives the number of fraction digits, read as atoi reads it.
    static std::string decimalToString(const CDecimal& value, const std::string& format);
    static std::string integerToString(const CBigInteger& value);
    static std::string hexBinaryToString(const CBinaryData& value);
    static std::string base64BinaryToString(const CBinaryData& value);

    static char i1FromString(const std::string& text, WhitespaceRule rule);
    static short i2FromString(const std::string& text, WhitespaceRule rule);
    static std::int32_t i4FromString(const std::string& text, WhitespaceRule rule);
    static std::int64_t i8FromString(const std::string& text, WhitespaceRule rule);
    static unsigned char ui1FromString(const std::string& text, WhitespaceRule rule);
    static unsigned short ui2FromString(const std::string& text, WhitespaceRule rule);
    static std::uint32_t ui4FromString(const std::string& text, WhitespaceRule rule);
    static std::uint64_t ui8FromString(const std::string& text, WhitespaceRule rule);
    static float r4FromString(const std::string& text, WhitespaceRule rule);
    static double r8FromString(const std::string& text, WhitespaceRule rule);
    static bool booleanFromString(const std::string& text, WhitespaceRule rule);
    static char charFromString(const std::string& text, WhitespaceRule rule);
    static std::string stringFromString(const std::string& text, WhitespaceRule rule);
    static CDateTime datetimeFromString(const std::string& text, WhitespaceRule rule);
    static CDateTime timeFromString(const std::string& text, WhitespaceRule rule);
    // The three take any date form; the result has the type of the form found.
    static CDateTime dateFromString(const std::string& text, WhitespaceRule rule);
    static CDateTime yearMonthFromString(const std::string& text, WhitespaceRule rule);
    static CDateTime monthDayFromString(const std::string& text, WhitespaceRule rule);
    // A date form that holds the field; CTsInvalidStateException for one that does not.
    static unsigned short yearFromString(const std::string& text, WhitespaceRule rule);
    static unsigned char monthFromString(const std::string& text, WhitespaceRule rule);
    static unsigned char dayFromString(const std::string& text, WhitespaceRule rule);
    static CDateTimeSpan durationFromString(const std::string& text, WhitespaceRule rule);
    static CDecimal decimalFromString(const std::string& text, WhitespaceRule rule);
    static CBigInteger integerFromString(const std::string& text, WhitespaceRule rule);
    static CBinaryData hexBinaryFromString(const std::string& text, WhitespaceRule rule);
    static CBinaryData base64BinaryFromString(const std::string& text, WhitespaceRule rule);
};

} // namespace TsXmlLib16

#endif
