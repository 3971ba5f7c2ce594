#include "OblException.h"

OblException::OblException(QString message, const char* sourceFile, int line,
                           const OblException* inner)
    : m_message(std::move(message))
    , m_sourceFile(QString::fromUtf8(sourceFile ? sourceFile : ""))
    , m_line(line)
    , m_inner(inner ? std::shared_ptr<const OblException>(inner->Clone()) : nullptr)
    , m_what(m_message.toStdString())
{
}

QString OblException::GetFullMessage() const
{
    QString text = m_message;
    for (const OblException* e = GetInner(); e; e = e->GetInner())
        text += QStringLiteral("\n") + e->GetMessage();
    return text;
}

std::unique_ptr<OblException> OblException::Clone() const
{
    return std::make_unique<OblException>(*this);
}
