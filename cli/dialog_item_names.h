// The options dialog's items and pages as a person names them: the button
// names a dialog script may use beside record field names and item numbers,
// and the names that messages give items ("heartCount (on page 4
// \"Create\")") and pages.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace heart::cli {

// The buttons and other items a script may name by a word.
struct NamedButton {
  const char* name;
  int32_t item;
};
std::span<const NamedButton> namedButtons();

// The item a button name or a record field name stands for, or nothing.
std::optional<int32_t> itemNamed(const std::string& word);

// An item as messages name it: its record field and page ("heartCount (on
// page 4 \"Create\")"), its button or list, or its number when it has no name.
std::string describeItem(int32_t id);

// "page 4 \"Create\"".
std::string pageName(int32_t page);

}  // namespace heart::cli
