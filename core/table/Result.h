#pragma once

#include <utility>
#include <variant>

namespace glyphwright {

// The value a successful operation returns when it has nothing else to say.
struct Success {
    friend bool operator==(Success, Success) = default;
};

// A value or the reason there is none. C++20 lacks std::expected; this is the little of it we use.
template <class T, class E>
class [[nodiscard]] Result {
public:
    Result(T value)
        : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit by design
    Result(E error)
        : state_(std::in_place_index<1>, std::move(error)) {}  // NOLINT: implicit by design

    [[nodiscard]] bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    [[nodiscard]] const T& value() const& { return std::get<0>(state_); }
    // The value moved out, for a value that cannot be copied.
    [[nodiscard]] T&& value() && { return std::get<0>(std::move(state_)); }
    [[nodiscard]] const E& error() const { return std::get<1>(state_); }

private:
    std::variant<T, E> state_;
};

}  // namespace glyphwright
