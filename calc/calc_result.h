#pragma once

#include <optional>
#include <string>
#include <utility>

namespace levywise {

// The outcome of a calculation step: a value, or the reason there is none
// (a figure that would leave the range money can be kept in).
template <class T>
class CalcResult {
public:
    CalcResult(T value) : value_(std::move(value)) {}
    static CalcResult failure(std::string message) {
        CalcResult r;
        r.error_ = std::move(message);
        return r;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const std::string& error() const { return error_; }

private:
    CalcResult() = default;
    std::optional<T> value_;
    std::string error_;
};

inline constexpr const char* kValueTooLarge = "The appraised value is too large for an estimate.";
inline constexpr const char* kTaxTooLarge = "The tax on this value is too large to be shown.";

} // namespace levywise
