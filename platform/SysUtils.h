#pragma once
// Exceptions, string and number text, date-time and code-page conversion.

#include <exception>

#include "platform/System.h"

class Exception : public std::exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const String& Message() const { return FMessage; }
    void SetMessage(const String& message) { FMessage = message; }
    virtual const char* ClassName() const { return "Exception"; }

private:
    String FMessage;
};

#define PL_DECLARE_EXCEPTION(Name, Base)                             \
    class Name : public Base {                                       \
    public:                                                          \
        using Base::Base;                                            \
        const char* ClassName() const override { return #Name; }     \
    };

// Silent: the application's exception handler ignores it.
PL_DECLARE_EXCEPTION(EAbort, Exception)
PL_DECLARE_EXCEPTION(EConvertError, Exception)
PL_DECLARE_EXCEPTION(EStringListError, Exception)
PL_DECLARE_EXCEPTION(EListError, Exception)
PL_DECLARE_EXCEPTION(EInvalidCast, Exception)
PL_DECLARE_EXCEPTION(EMathError, Exception)
PL_DECLARE_EXCEPTION(EInvalidOp, EMathError)
PL_DECLARE_EXCEPTION(EOverflow, EMathError)
PL_DECLARE_EXCEPTION(EZeroDivide, EMathError)
PL_DECLARE_EXCEPTION(EIntError, Exception)
PL_DECLARE_EXCEPTION(EDivByZero, EIntError)
PL_DECLARE_EXCEPTION(ERangeError, EIntError)
PL_DECLARE_EXCEPTION(EStreamError, Exception)
PL_DECLARE_EXCEPTION(EFCreateError, EStreamError)
PL_DECLARE_EXCEPTION(EFOpenError, EStreamError)
PL_DECLARE_EXCEPTION(EFilerError, EStreamError)
PL_DECLARE_EXCEPTION(EReadError, EFilerError)
PL_DECLARE_EXCEPTION(EWriteError, EFilerError)
PL_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
PL_DECLARE_EXCEPTION(EInOutError, Exception)
PL_DECLARE_EXCEPTION(EOutOfResources, Exception)
PL_DECLARE_EXCEPTION(EComponentError, Exception)
PL_DECLARE_EXCEPTION(EVariantError, Exception)
PL_DECLARE_EXCEPTION(EPrinter, Exception)
PL_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
PL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
PL_DECLARE_EXCEPTION(ERegistryException, Exception)
PL_DECLARE_EXCEPTION(EThread, Exception)
