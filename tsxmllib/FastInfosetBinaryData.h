// Bytes of a value under one of the ten built-in Fast Infoset encoding
// algorithms, made from the value's text and turned back into text.
#ifndef TSXMLLIB_FASTINFOSETBINARYDATA_H
#define TSXMLLIB_FASTINFOSETBINARYDATA_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Export.h"

#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CFastInfosetBinaryData : public CBinaryData {
public:
    // Indexes of the built-in algorithms.
    enum Algorithm : unsigned long {
        Algorithm_Hexadecimal = 1,
        Algorithm_Base64 = 2,
        Algorithm_Short = 3,
        Algorithm_Int = 4,
        Algorithm_Long = 5,
        Algorithm_Boolean = 6,
        Algorithm_Float = 7,
        Algorithm_Double = 8,
        Algorithm_Uuid = 9,
        Algorithm_Cdata = 10
    };

    CFastInfosetBinaryData();
    CFastInfosetBinaryData(const CBinaryData& data);
    CFastInfosetBinaryData(unsigned char* data, unsigned long length, bool takeOwnership);
    explicit CFastInfosetBinaryData(const char* text);
    CFastInfosetBinaryData(const CFastInfosetBinaryData& other);
    CFastInfosetBinaryData& operator=(const CFastInfosetBinaryData& other);
    ~CFastInfosetBinaryData() override;

    // Replaces the bytes by the encoding of one value given as text.
    void SetAsEncodedString(unsigned long algorithm, const char* text);
    // The values the bytes hold, as text joined by single spaces (algorithms 1 to 9).
    std::string GetAsString(unsigned long algorithm) const;
};

} // namespace TsXmlLib16

#endif
