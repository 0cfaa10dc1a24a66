#include "tsxmllib/TsException.h"

#include <utility>

namespace TsXmlLib16 {

namespace {
std::string WithPath(std::string message, const std::string& path)
{
    if (!path.empty()) {
        message += "\nPath: ";
        message += path;
    }
    return message;
}
} // namespace

CTsException::CTsException() = default;

CTsException::CTsException(std::string message) : m_message(std::move(message)) {}

CTsException::CTsException(std::string message, const CTsException& inner)
    : m_message(std::move(message)), m_inner(inner.Clone())
{
}

CTsException::CTsException(std::string message, std::string path)
    : m_message(WithPath(std::move(message), path)), m_path(std::move(path))
{
}

CTsException::CTsException(std::string message, std::string path, const CTsException& inner)
    : m_message(WithPath(std::move(message), path)), m_path(std::move(path)), m_inner(inner.Clone())
{
}

CTsException::CTsException(const CTsException& other)
    : m_message(other.m_message), m_path(other.m_path),
      m_inner(other.m_inner ? other.m_inner->Clone() : nullptr)
{
}

CTsException::~CTsException() { delete m_inner; }

CTsException& CTsException::operator=(const CTsException& other)
{
    if (this != &other) {
        CTsException* inner = other.m_inner ? other.m_inner->Clone() : nullptr;
        delete m_inner;
        m_inner = inner;
        m_message = other.m_message;
        m_path = other.m_path;
    }
    return *this;
}

std::string CTsException::GetFullMessage() const
{
    std::string text = m_message;
    for (const CTsException* e = m_inner; e; e = e->m_inner) {
        text += '\n';
        text += e->m_message;
    }
    return text;
}

CTsException* CTsException::Clone() const { return new CTsException(*this); }

// ---- validation branch: takes a path from the thrower ----

CTsValidationException::CTsValidationException() = default;
CTsValidationException::CTsValidationException(std::string message, std::string path)
    : CTsException(std::move(message), std::move(path))
{
}
CTsValidationException::CTsValidationException(std::string message, std::string path,
                                               const CTsException& inner)
    : CTsException(std::move(message), std::move(path), inner)
{
}
CTsValidationException::CTsValidationException(const CTsException& other) : CTsException(other) {}
CTsValidationException::CTsValidationException(const CTsValidationException& other) = default;
CTsValidationException::~CTsValidationException() = default;
CTsException* CTsValidationException::Clone() const { return new CTsValidationException(*this); }

CTsInvalidValueException::CTsInvalidValueException() = default;
CTsInvalidValueException::CTsInvalidValueException(std::string message)
    : CTsValidationException(std::move(message), std::string())
{
}
CTsInvalidValueException::CTsInvalidValueException(std::string message, const CTsException& inner)
    : CTsValidationException(std::move(message), std::string(), inner)
{
}
CTsInvalidValueException::CTsInvalidValueException(const CTsException& other)
    : CTsValidationException(other)
{
}
CTsInvalidValueException::CTsInvalidValueException(const CTsInvalidValueException& other) = default;
CTsInvalidValueException::~CTsInvalidValueException() = default;
CTsException* CTsInvalidValueException::Clone() const { return new CTsInvalidValueException(*this); }

CTsInvalidNamespaceException::CTsInvalidNamespaceException() = default;
CTsInvalidNamespaceException::CTsInvalidNamespaceException(std::string message, std::string path)
    : CTsValidationException(std::move(message), std::move(path))
{
}
CTsInvalidNamespaceException::CTsInvalidNamespaceException(std::string message, std::string path,
                                                           const CTsException& inner)
    : CTsValidationException(std::move(message), std::move(path), inner)
{
}
CTsInvalidNamespaceException::CTsInvalidNamespaceException(const CTsException& other)
    : CTsValidationException(other)
{
}
CTsInvalidNamespaceException::CTsInvalidNamespaceException(const CTsInvalidNamespaceException& other) =
    default;
CTsInvalidNamespaceException::~CTsInvalidNamespaceException() = default;
CTsException* CTsInvalidNamespaceException::Clone() const
{
    return new CTsInvalidNamespaceException(*this);
}

// ---- the path-less subclasses ----

#define TSXMLLIB_DEFINE_SIMPLE_EXCEPTION(Name)                                               \
    Name::Name() = default;                                                                  \
    Name::Name(std::string message) : CTsException(std::move(message)) {}                   \
    Name::Name(std::string message, const CTsException& inner)                              \
        : CTsException(std::move(message), inner)                                           \
    {                                                                                        \
    }                                                                                        \
    Name::Name(const CTsException& other) : CTsException(other) {}                          \
    Name::Name(const Name& other) = default;                                                 \
    Name::~Name() = default;                                                                 \
    CTsException* Name::Clone() const { return new Name(*this); }

TSXMLLIB_DEFINE_SIMPLE_EXCEPTION(CTsInvalidStateException)
TSXMLLIB_DEFINE_SIMPLE_EXCEPTION(CTsInvalidParamException)
TSXMLLIB_DEFINE_SIMPLE_EXCEPTION(CTsOverFlowException)

#undef TSXMLLIB_DEFINE_SIMPLE_EXCEPTION

} // namespace TsXmlLib16
