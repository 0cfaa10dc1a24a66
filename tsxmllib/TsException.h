// The exception family of the library. Every failure is thrown as one of these
// by value; an exception may carry an error path into the document and an
// owned copy of the exception that caused it.
#ifndef TSXMLLIB_TSEXCEPTION_H
#define TSXMLLIB_TSEXCEPTION_H

#include "tsxmllib/Export.h"

#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CTsException {
public:
    CTsException();
    explicit CTsException(std::string message);
    CTsException(std::string message, const CTsException& inner);
    CTsException(std::string message, std::string path);
    CTsException(std::string message, std::string path, const CTsException& inner);
    CTsException(const CTsException& other);
    virtual ~CTsException();

    CTsException& operator=(const CTsException& other);

    std::string GetMessage() const { return m_message; }
    std::string GetPath() const { return m_path; }
    const CTsException* GetInnerException() const { return m_inner; }
    // The message, then the inner exceptions' messages, outermost first, one per line.
    std::string GetFullMessage() const;

protected:
    virtual CTsException* Clone() const;
    // Lets subclasses clone any exception of the family.
    static CTsException* CloneOf(const CTsException& e) { return e.Clone(); }

private:
    std::string m_message;
    std::string m_path;
    CTsException* m_inner = nullptr;
};

// Content that does not conform to the schema metadata.
class TSXMLLIB_EXPORT CTsValidationException : public CTsException {
public:
    CTsValidationException();
    CTsValidationException(std::string message, std::string path);
    CTsValidationException(std::string message, std::string path, const CTsException& inner);
    explicit CTsValidationException(const CTsException& other);
    CTsValidationException(const CTsValidationException& other);
    CTsValidationException& operator=(const CTsValidationException& other) = default;
    ~CTsValidationException() override;

protected:
    CTsException* Clone() const override;
};

// A lexical value that cannot be converted or is out of range. Never has a path.
class TSXMLLIB_EXPORT CTsInvalidValueException : public CTsValidationException {
public:
    CTsInvalidValueException();
    explicit CTsInvalidValueException(std::string message);
    CTsInvalidValueException(std::string message, const CTsException& inner);
    explicit CTsInvalidValueException(const CTsException& other);
    CTsInvalidValueException(const CTsInvalidValueException& other);
    CTsInvalidValueException& operator=(const CTsInvalidValueException& other) = default;
    ~CTsInvalidValueException() override;

protected:
    CTsException* Clone() const override;
};

// An element or attribute in a namespace that is not allowed where it stands.
class TSXMLLIB_EXPORT CTsInvalidNamespaceException : public CTsValidationException {
public:
    CTsInvalidNamespaceException();
    CTsInvalidNamespaceException(std::string message, std::string path);
    CTsInvalidNamespaceException(std::string message, std::string path, const CTsException& inner);
    explicit CTsInvalidNamespaceException(const CTsException& other);
    CTsInvalidNamespaceException(const CTsInvalidNamespaceException& other);
    CTsInvalidNamespaceException& operator=(const CTsInvalidNamespaceException& other) = default;
    ~CTsInvalidNamespaceException() override;

protected:
    CTsException* Clone() const override;
};

// The subclasses below all take (message) and (message, inner) and never a path.
#define TSXMLLIB_DECLARE_SIMPLE_EXCEPTION(Name)                                  \
    class TSXMLLIB_EXPORT Name : public CTsException {                          \
    public:                                                                      \
        Name();                                                                  \
        explicit Name(std::string message);                                      \
        Name(std::string message, const CTsException& inner);                    \
        explicit Name(const CTsException& other);                                \
        Name(const Name& other);                                                 \
        Name& operator=(const Name& other) = default;                            \
        ~Name() override;                                                        \
                                                                                 \
    protected:                                                                   \
        CTsException* Clone() const override;                                    \
    };

// An operation called in a state that does not allow it.
TSXMLLIB_DECLARE_SIMPLE_EXCEPTION(CTsInvalidStateException)
// A bad argument: index out of range, null object, wrong item type.
TSXMLLIB_DECLARE_SIMPLE_EXCEPTION(CTsInvalidParamException)
// Arithmetic overflow of a numeric value type.
TSXMLLIB_DECLARE_SIMPLE_EXCEPTION(CTsOverFlowException)

#undef TSXMLLIB_DECLARE_SIMPLE_EXCEPTION

// Implemented by objects that can tell where in their input they currently are.
class TSXMLLIB_EXPORT IErrorPathProvider {
public:
    virtual std::string GetErrorPath() = 0;

protected:
    ~IErrorPathProvider() = default;
};

} // namespace TsXmlLib16

#endif
