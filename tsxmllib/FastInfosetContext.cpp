#include "tsxmllib/FastInfosetContext.h"

namespace TsXmlLib16 {

const char* CFastInfosetContext::GetDeclarationText(int decl)
{
    static const char* const kDeclarations[] = {
        "<?xml encoding='finf'?>",
        "<?xml encoding='finf' standalone='yes'?>",
        "<?xml encoding='finf' standalone='no'?>",
        "<?xml version='1.0' encoding='finf'?>",
        "<?xml version='1.0' encoding='finf' standalone='yes'?>",
        "<?xml version='1.0' encoding='finf' standalone='no'?>",
        "<?xml version='1.1' encoding='finf'?>",
        "<?xml version='1.1' encoding='finf' standalone='yes'?>",
        "<?xml version='1.1' encoding='finf' standalone='no'?>",
    };
    return decl >= FInfoDecl_Encoding && decl <= FInfoDecl_Version11StandaloneNo ? kDeclarations[decl - 1] : nullptr;
}

CFastInfosetContext::CFastInfosetContext() = default;
CFastInfosetContext::CFastInfosetContext(const CFastInfosetContext&) = default;
CFastInfosetContext& CFastInfosetContext::operator=(const CFastInfosetContext&) = default;
CFastInfosetContext::~CFastInfosetContext() = default;

void CFastInfosetContext::SetEncoding(unsigned index, const EncodedCharacterString& encoding)
{
    if (index < EncodingCount)
        m_encodings[index] = encoding;
}

void CFastInfosetContext::SetSuggestedValues()
{
    using E = EncodedCharacterString;
    // Algorithm indexes of the built-in encodings used below.
    enum : std::uint32_t { Hex = 1, Base64 = 2, Short = 3, Int = 4, Long = 5, Boolean = 6, Float = 7, Double = 8 };
    const E alphabetNumeric(E::Kind_RestrictedAlphabet, 1);
    const E alphabetDateTime(E::Kind_RestrictedAlphabet, 2);
    const auto algorithm = [](std::uint32_t index) { return E(E::Kind_EncodingAlgorithm, index); };

    m_encodings[ItemType_hexBinary] = algorithm(Hex);
    m_encodings[ItemType_base64Binary] = algorithm(Base64);
    m_encodings[ItemType_i1] = algorithm(Short);
    m_encodings[ItemType_i2] = algorithm(Short);
    m_encodings[ItemType_i4] = algorithm(Int);
    m_encodings[ItemType_i8] = algorithm(Long);
    m_encodings[ItemType_ui1] = algorithm(Short);
    m_encodings[ItemType_ui2] = algorithm(Int);
    m_encodings[ItemType_ui4] = algorithm(Long);
    m_encodings[ItemType_ui8] = algorithm(Long);
    m_encodings[ItemType_r4] = algorithm(Float);
    m_encodings[ItemType_r8] = algorithm(Double);
    m_encodings[ItemType_duration] = E();
    for (ItemType type : {ItemType_yearMonth, ItemType_monthDay, ItemType_year, ItemType_month, ItemType_day,
                          ItemType_date, ItemType_datetime, ItemType_time})
        m_encodings[type] = alphabetDateTime;
    m_encodings[ItemType_boolean] = algorithm(Boolean);
    m_encodings[ItemType_decimal] = alphabetNumeric;
    m_encodings[ItemType_integer] = alphabetNumeric;
}

} // namespace TsXmlLib16
