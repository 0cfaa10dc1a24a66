#include "tsxmllib/PrimitiveRestrictions.h"

namespace TsXmlLib16 {

namespace {
std::string Text(const char* s) { return s ? s : ""; }
} // namespace

CPrimitiveRestrictions::CPrimitiveRestrictions() = default;

CPrimitiveRestrictions::CPrimitiveRestrictions(const char* pattern, long minLength, long maxLength,
                                               const char* minInclusive, const char* maxInclusive,
                                               const char* minExclusive, const char* maxExclusive, long length,
                                               long totalDigits, long fractionDigits)
    : m_pattern(Text(pattern)), m_minLength(minLength), m_maxLength(maxLength), m_minInclusive(Text(minInclusive)),
      m_maxInclusive(Text(maxInclusive)), m_minExclusive(Text(minExclusive)), m_maxExclusive(Text(maxExclusive)),
      m_length(length), m_totalDigits(totalDigits), m_fractionDigits(fractionDigits)
{
}

bool CPrimitiveRestrictions::HasAny() const
{
    return !m_pattern.empty() || m_minLength > -1 || m_maxLength > -1 || !m_minInclusive.empty() ||
           !m_maxInclusive.empty() || !m_minExclusive.empty() || !m_maxExclusive.empty() || m_length > -1 ||
           m_totalDigits > -1 || m_fractionDigits > -1;
}

} // namespace TsXmlLib16
