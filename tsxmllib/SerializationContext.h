// The options of every read and write: reader tolerances, what the writers add,
// text layout, and the JSON and Fast Infoset sub-contexts.
#ifndef TSXMLLIB_SERIALIZATIONCONTEXT_H
#define TSXMLLIB_SERIALIZATIONCONTEXT_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/NamespaceAliasMap.h"
#include "tsxmllib/SmartPtr.h"

#include <string>
#include <vector>

namespace TsXmlLib16 {

class CAttributeCol;
class CFastInfosetContext;
class CJsonContext;

class TSXMLLIB_EXPORT CSerializationContext {
public:
    CSerializationContext();
    // Copies every setting; the sub-contexts are copied into objects of the copy's own.
    CSerializationContext(const CSerializationContext& other);
    CSerializationContext& operator=(const CSerializationContext& other);
    virtual ~CSerializationContext();

    // The process-wide context used where no context is given.
    static CSerializationContext& GetDefaultContext();

    CFastInfosetContext& GetFIContext() const;
    // Attributes written on the document element after its start tag: created
    // empty (any namespace allowed) on first use; the caller adds to it.
    CSmartPtr<CAttributeCol> GetAdditionalRootAttributes() const;
    // The collection when it was created, else null (nothing to write).
    CSmartPtr<CAttributeCol> FindAdditionalRootAttributes() const;
    CJsonContext& GetJsonContext() const;

    std::string GetDefaultNamespaceURI() const { return m_defaultNamespaceURI; }
    void SetDefaultNamespaceURI(const char* uri) { m_defaultNamespaceURI = uri ? uri : ""; }
    bool GetWriteTypeAttribute() const { return m_writeTypeAttribute; }
    void SetWriteTypeAttribute(bool value) { m_writeTypeAttribute = value; }
    CNamespaceAliasMap& GetNamespaceAliases() { return m_namespaceAliases; }
    const CNamespaceAliasMap& GetNamespaceAliases() const { return m_namespaceAliases; }
    std::vector<std::string>& GetProcessingInstructions() { return m_processingInstructions; }
    const std::vector<std::string>& GetProcessingInstructions() const { return m_processingInstructions; }
    std::string GetInLineSchema() const { return m_inLineSchema; }
    void SetInLineSchema(const char* schema) { m_inLineSchema = schema ? schema : ""; }

    bool GetIgnoreInvalidCollectionCounts() const { return m_ignoreInvalidCollectionCounts; }
    void SetIgnoreInvalidCollectionCounts(bool value) { m_ignoreInvalidCollectionCounts = value; }
    bool GetIgnoreMissingChoice() const { return m_ignoreMissingChoice; }
    void SetIgnoreMissingChoice(bool value) { m_ignoreMissingChoice = value; }
    bool GetIgnoreMissingMandatoryElements() const { return m_ignoreMissingMandatoryElements; }
    // Refused while IgnoreUnknownElements is on: the two tolerances exclude each other.
    void SetIgnoreMissingMandatoryElements(bool value);
    bool GetIgnoreUnknownElements() const { return m_ignoreUnknownElements; }
    // Refused while IgnoreMissingMandatoryElements is on.
    void SetIgnoreUnknownElements(bool value);
    bool GetIgnoreUnknownAttributes() const { return m_ignoreUnknownAttributes; }
    void SetIgnoreUnknownAttributes(bool value) { m_ignoreUnknownAttributes = value; }
    // True when set, and always with SchemaType_NoNamespaces.
    bool GetIgnoreNamespaces() const { return m_ignoreNamespaces || m_schemaType == SchemaType_NoNamespaces; }
    void SetIgnoreNamespaces(bool value) { m_ignoreNamespaces = value; }
    SchemaType GetSchemaType() const { return m_schemaType; }
    void SetSchemaType(SchemaType type) { m_schemaType = type; }
    bool GetNoOptionalAttributeDefaultOutput() const { return m_noOptionalAttributeDefaultOutput; }
    void SetNoOptionalAttributeDefaultOutput(bool value) { m_noOptionalAttributeDefaultOutput = value; }
    bool GetWriteDefaultElementValues() const { return m_writeDefaultElementValues; }
    void SetWriteDefaultElementValues(bool value) { m_writeDefaultElementValues = value; }
    bool GetStripCDATA() const { return m_stripCDATA; }
    void SetStripCDATA(bool value) { m_stripCDATA = value; }
    std::string GetIndentChars() const { return m_indentChars; }
    // Only spaces and tabs are accepted; null gives the empty string.
    void SetIndentChars(const char* chars);

private:
    mutable CFastInfosetContext* m_fiContext = nullptr;
    mutable CSmartPtr<CAttributeCol> m_additionalRootAttributes;
    mutable CJsonContext* m_jsonContext = nullptr;
    std::string m_defaultNamespaceURI;
    bool m_writeTypeAttribute = true;
    CNamespaceAliasMap m_namespaceAliases;
    std::vector<std::string> m_processingInstructions;
    std::string m_inLineSchema;
    bool m_ignoreInvalidCollectionCounts = false;
    bool m_ignoreMissingChoice = false;
    bool m_ignoreMissingMandatoryElements = false;
    bool m_ignoreUnknownElements = false;
    bool m_ignoreUnknownAttributes = false;
    bool m_ignoreNamespaces = false;
    SchemaType m_schemaType = SchemaType_Default;
    bool m_noOptionalAttributeDefaultOutput = false;
    bool m_writeDefaultElementValues = false;
    bool m_stripCDATA = true;
    std::string m_indentChars = "\t";

    static CSerializationContext m_defaultContext;
};

} // namespace TsXmlLib16

#endif
