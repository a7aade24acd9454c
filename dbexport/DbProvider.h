#pragma once

// The provider (resolver) side of the database framework: what a provider
// asks of a dataset it reads from and writes back through.

#include "dbexport/DbErrors.h"
#include "dbexport/DbFields.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum TParamType { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };

struct TParam {
    std::string Name;
    TFieldType DataType = ftUnknown;
    TParamType ParamType = ptUnknown;
    TValue Value;
};
using TParams = std::vector<TParam>;

// An update that failed while a provider applied it; ErrorCode is the
// server's number where there is one, PreviousError the count of failures
// before it in the same apply.
class EUpdateError : public EDatabaseError {
public:
    EUpdateError(const std::string& message, int errorCode, int previousError)
        : EDatabaseError(message), ErrorCode(errorCode), PreviousError(previousError) {}
    int ErrorCode;
    int PreviousError;
};

class IProviderSupport {
public:
    virtual ~IProviderSupport() = default;
    virtual void PSEndTransaction(bool commit) = 0;
    virtual void PSExecute() = 0;
    // Runs the statement with "?" standing for the parameters in order;
    // returns the number of rows it touched.
    virtual int64_t PSExecuteStatement(const std::string& sql, const TParams& params) = 0;
    // Key field names separated by ";".
    virtual std::string PSGetKeyFields() = 0;
    virtual std::optional<TIndexDef> PSGetDefaultOrder() = 0;
    virtual std::string PSGetQuoteChar() = 0;
    virtual std::string PSGetTableName() = 0;
    // error may be null: a failure the provider could not map.
    virtual EUpdateError PSGetUpdateException(const std::exception* error, const EUpdateError* previous) = 0;
    virtual bool PSIsSQLBased() = 0;
    virtual bool PSIsSQLSupported() = 0;
    virtual TParams PSGetParams() = 0;
    virtual void PSSetParams(const TParams& params) = 0;
    virtual void PSSetCommandText(const std::string& text) = 0;
    virtual void PSStartTransaction() = 0;
    virtual bool PSInTransaction() = 0;
};
