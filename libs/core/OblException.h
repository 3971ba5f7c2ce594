#pragma once

#include <QString>

#include <exception>
#include <memory>
#include <string>

// The one exception type of the support and track libraries: a message,
// where it was raised, and optionally the failure that caused it.
class OblException : public std::exception
{
public:
    OblException(QString message, const char* sourceFile, int line,
                 const OblException* inner = nullptr);

    const QString& GetMessage() const { return m_message; }
    const QString& GetSourceFile() const { return m_sourceFile; }
    int GetLine() const { return m_line; }
    const OblException* GetInner() const { return m_inner.get(); }

    // The message followed by the messages of the inner exceptions.
    QString GetFullMessage() const;

    std::unique_ptr<OblException> Clone() const;

    const char* what() const noexcept override { return m_what.c_str(); }

private:
    QString m_message;
    QString m_sourceFile;
    int m_line;
    std::shared_ptr<const OblException> m_inner;
    std::string m_what;
};

#define OBL_THROW(message) throw OblException((message), __FILE__, __LINE__)
