// Where the host's plain message alerts and beeps go. Every alert text is
// kept in order so tests can read what the user would have seen; when a
// stream is set (the command line sets the terminal) each alert is also
// printed there as it happens.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace heart {

class AlertSink {
 public:
  void alert(const std::string& text);
  void beep();

  const std::vector<std::string>& texts() const { return texts_; }
  int beeps() const { return beeps_; }
  void clear();

  // Print alerts to `stream` from now on; null stops printing.
  void setStream(std::ostream* stream) { stream_ = stream; }

 private:
  std::vector<std::string> texts_;
  int beeps_ = 0;
  std::ostream* stream_ = nullptr;
};

}  // namespace heart
