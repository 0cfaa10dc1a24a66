#include "tsxmllib/SerializationContext.h"

#include "tsxmllib/AttributeCol.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/TsException.h"

#include <utility>

namespace TsXmlLib16 {

CSerializationContext CSerializationContext::m_defaultContext;

namespace {
const char kBothIgnored[] =
    "The parser can only ignore additional elements, or ignore the fact that some required ones are missing, "
    "you can not ignore both\n";

template <class T>
T* CopyOf(const T* source)
{
    return source ? new T(*source) : nullptr;
}
} // namespace

CSerializationContext::CSerializationContext() = default;

CSerializationContext::CSerializationContext(const CSerializationContext& other)
    : m_fiContext(CopyOf(other.m_fiContext)),
      m_additionalRootAttributes(other.m_additionalRootAttributes ? other.m_additionalRootAttributes->Clone()
                                                                  : CSmartPtr<CAttributeCol>()),
      m_jsonContext(CopyOf(other.m_jsonContext)),
      m_defaultNamespaceURI(other.m_defaultNamespaceURI), m_writeTypeAttribute(other.m_writeTypeAttribute),
      m_namespaceAliases(other.m_namespaceAliases), m_processingInstructions(other.m_processingInstructions),
      m_inLineSchema(other.m_inLineSchema), m_ignoreInvalidCollectionCounts(other.m_ignoreInvalidCollectionCounts),
      m_ignoreMissingChoice(other.m_ignoreMissingChoice),
      m_ignoreMissingMandatoryElements(other.m_ignoreMissingMandatoryElements),
      m_ignoreUnknownElements(other.m_ignoreUnknownElements), m_ignoreUnknownAttributes(other.m_ignoreUnknownAttributes),
      m_ignoreNamespaces(other.m_ignoreNamespaces), m_schemaType(other.m_schemaType),
      m_noOptionalAttributeDefaultOutput(other.m_noOptionalAttributeDefaultOutput),
      m_writeDefaultElementValues(other.m_writeDefaultElementValues), m_stripCDATA(other.m_stripCDATA),
      m_indentChars(other.m_indentChars)
{
}

CSerializationContext& CSerializationContext::operator=(const CSerializationContext& other)
{
    if (this != &other) {
        CSerializationContext copy(other);
        std::swap(m_fiContext, copy.m_fiContext);
        std::swap(m_jsonContext, copy.m_jsonContext);
        std::swap(m_additionalRootAttributes, copy.m_additionalRootAttributes);
        m_defaultNamespaceURI = other.m_defaultNamespaceURI;
        m_writeTypeAttribute = other.m_writeTypeAttribute;
        m_namespaceAliases = other.m_namespaceAliases;
        m_processingInstructions = other.m_processingInstructions;
        m_inLineSchema = other.m_inLineSchema;
        m_ignoreInvalidCollectionCounts = other.m_ignoreInvalidCollectionCounts;
        m_ignoreMissingChoice = other.m_ignoreMissingChoice;
        m_ignoreMissingMandatoryElements = other.m_ignoreMissingMandatoryElements;
        m_ignoreUnknownElements = other.m_ignoreUnknownElements;
        m_ignoreUnknownAttributes = other.m_ignoreUnknownAttributes;
        m_ignoreNamespaces = other.m_ignoreNamespaces;
        m_schemaType = other.m_schemaType;
        m_noOptionalAttributeDefaultOutput = other.m_noOptionalAttributeDefaultOutput;
        m_writeDefaultElementValues = other.m_writeDefaultElementValues;
        m_stripCDATA = other.m_stripCDATA;
        m_indentChars = other.m_indentChars;
    }
    return *this;
}

CSerializationContext::~CSerializationContext()
{
    delete m_fiContext;
    delete m_jsonContext;
}

CSerializationContext& CSerializationContext::GetDefaultContext() { return m_defaultContext; }

CSmartPtr<CAttributeCol> CSerializationContext::GetAdditionalRootAttributes() const
{
    if (!m_additionalRootAttributes)
        m_additionalRootAttributes = new CAttributeCol("", "##any", "");
    return m_additionalRootAttributes;
}

CSmartPtr<CAttributeCol> CSerializationContext::FindAdditionalRootAttributes() const
{
    return m_additionalRootAttributes;
}

CFastInfosetContext& CSerializationContext::GetFIContext() const
{
    if (!m_fiContext)
        m_fiContext = new CFastInfosetContext;
    return *m_fiContext;
}

CJsonContext& CSerializationContext::GetJsonContext() const
{
    if (!m_jsonContext)
        m_jsonContext = new CJsonContext;
    return *m_jsonContext;
}

void CSerializationContext::SetIgnoreMissingMandatoryElements(bool value)
{
    if (value && m_ignoreUnknownElements)
        throw CTsInvalidStateException(std::string(kBothIgnored) +
                                       "Set IgnoreUnknownElements to false before setting "
                                       "IgnoreMissingMandatoryElements to true");
    m_ignoreMissingMandatoryElements = value;
}

void CSerializationContext::SetIgnoreUnknownElements(bool value)
{
    if (value && m_ignoreMissingMandatoryElements)
        throw CTsInvalidStateException(std::string(kBothIgnored) +
                                       "Set IgnoreMissingMandatoryElements to false before setting "
                                       "IgnoreUnknownElements to true");
    m_ignoreUnknownElements = value;
}

void CSerializationContext::SetIndentChars(const char* chars)
{
    if (!chars) {
        m_indentChars.clear();
        return;
    }
    for (const char* p = chars; *p; ++p)
        if (*p != ' ' && *p != '\t')
            throw CTsInvalidParamException("IndentChars can only contain Whitespace characters, i.e. \\t or spaces");
    m_indentChars = chars;
}

} // namespace TsXmlLib16
