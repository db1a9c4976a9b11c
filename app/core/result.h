// The host's one way to fail: an operation that can fail returns a
// Result<T>, the value it made or a Failure carrying the message a user reads.
// Messages are whole sentences naming what failed ("cannot read card.svg:
// ..."); a caller that adds context prefixes its own words and keeps the rest.
//
// Result codes stay where the plug-in interface speaks them (the suites and
// the messages to the module); exceptions stay inside the libraries that
// throw them (the JSON parser, the standard file system) and never cross a
// host library's interface.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace heart {

struct Failure {
  std::string message;
};

inline Failure fail(std::string message) { return Failure{std::move(message)}; }

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // The value; only when ok().
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // The message; only when !ok().
  const std::string& error() const { return std::get<1>(state_).message; }
  // The failure, to pass on from a function of another result type.
  Failure failure() const { return std::get<1>(state_); }

 private:
  std::variant<T, Failure> state_;
};

// An operation that makes nothing but can fail.
template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failed_(true), message_(std::move(failure.message)) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const std::string& error() const { return message_; }
  Failure failure() const { return Failure{message_}; }

 private:
  bool failed_ = false;
  std::string message_;
};

}  // namespace heart
