// Parses two pieces of text as CDecimal and CBigInteger and checks what holds
// for every value: the printed form reads back as the same value, and the
// arithmetic on small enough operands neither crashes nor breaks its identities.
#include "FuzzInput.h"

#include "tsxmllib/BigInteger.h"
#include "tsxmllib/Decimal.h"
#include "tsxmllib/TsException.h"

#include <cstdlib>

using namespace TsXmlLib16;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool ParseDecimal(const std::string& text, CDecimal& out)
{
    try {
        out.Parse(text.c_str());
        return true;
    } catch (const CTsException&) {
        return false;
    }
}

bool ParseBig(const std::string& text, CBigInteger& out)
{
    try {
        out.Parse(text.c_str());
        return true;
    } catch (const CTsException&) {
        return false;
    }
}

void DecimalProperties(const CDecimal& a, const CDecimal& b)
{
    // The parser reads at most 511 integer digits, while an exponent can make
    // up to 4097 of them: only printed forms within its limit read back.
    const std::string printed = a.ToString();
    const std::size_t point = printed.find('.');
    const std::size_t integerDigits = (point == std::string::npos ? printed.size() : point) - (printed[0] == '-');
    if (integerDigits <= 511) {
        CDecimal again(printed);
        Check(again == a);
    }
    (void)a.ToString(5);
    try {
        (void)a.ToDouble();
    } catch (const CTsException&) {
    }
    try {
        (void)a.ToLongLong();
    } catch (const CTsException&) {
    }
    Check(a - a == CDecimal(0));
    Check(a + b - b == a);
    (void)(a * b);
    try {
        (void)(a / b);
    } catch (const CTsException&) {
    }
    Check((a < b) + (b < a) + (a == b) == 1);
}

void BigProperties(const CBigInteger& a, const CBigInteger& b)
{
    CBigInteger again(a.ToString());
    Check(again == a);
    Check(a + b - b == a);
    const CBigInteger product = a * b;
    try {
        const CBigInteger q = a / b;
        const CBigInteger r = a % b;
        Check(q * b + r == a);
        Check(r.GetAbs() < b.GetAbs());
    } catch (const CTsException&) {
        Check(b == CBigInteger(0));
    }
    if (!(a < CBigInteger(0))) {
        const CBigInteger root = a.SquareRoot();
        Check(root * root <= a && a < (root + 1) * (root + 1));
    }
    try {
        (void)static_cast<long long>(a);
    } catch (const CTsException&) {
    }
    (void)product;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Long digit strings make the quadratic arithmetic slow without finding more.
    if (size > 2048)
        return 0;
    FuzzInput input(data, size);
    const std::string first = input.TakeUntil('\n');
    const std::string second = input.TakeRest();

    CDecimal a, b;
    if (ParseDecimal(first, a) && ParseDecimal(second, b))
        DecimalProperties(a, b);
    else if (ParseDecimal(first, a))
        DecimalProperties(a, CDecimal(3));

    CBigInteger x, y;
    if (ParseBig(first, x) && ParseBig(second, y))
        BigProperties(x, y);
    else if (ParseBig(first, x))
        BigProperties(x, CBigInteger(7));
    return 0;
}
