#include "core/alert_sink.h"

#include <ostream>

namespace heart {

void AlertSink::alert(const std::string& text) {
  texts_.push_back(text);
  if (stream_) *stream_ << "Alert: " << text << "\n" << std::flush;
}

void AlertSink::beep() {
  ++beeps_;
  if (stream_) *stream_ << '\a' << std::flush;
}

void AlertSink::clear() {
  texts_.clear();
  beeps_ = 0;
}

}  // namespace heart
