#pragma once
// The library's exception classes and the few conversion helpers the system
// uses. Exceptions never leave a window procedure or cross a module boundary:
// the one window procedure catches them and hands them to the application.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

class EConvertError : public Exception {
    using Exception::Exception;
};
class EInvalidCast : public Exception {
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
class EOutOfResources : public Exception {
    using Exception::Exception;
};
class EListError : public Exception {
    using Exception::Exception;
};
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};
class EThread : public Exception {
    using Exception::Exception;
};
class EStreamError : public Exception {
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};

std::string IntToStr(long long value);
// Decimal or "$"/"0x" hexadecimal; anything else raises EConvertError.
int StrToInt(const std::string& text);
int StrToIntDef(const std::string& text, int fallback);

// The text of a system error code (FormatMessage), without the line end.
std::string SysErrorMessage(unsigned long code);
