#include "records/record_json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <regex>
#include <set>
#include <vector>

#include "core/json_depth.h"
#include "plugin/params/field_table.h"

namespace heart {
namespace {

// One member of the JSON form: a single field, or an array of consecutive
// table entries named "base[k]".
struct Member {
  std::string name;
  std::vector<const FieldInfo*> fields;
  bool isArray = false;
};

const std::vector<Member>& members() {
  static const std::vector<Member> list = [] {
    std::vector<Member> result;
    for (const FieldInfo& field : kFieldTable) {
      std::string name = field.name;
      size_t bracket = name.find('[');
      if (bracket == std::string::npos) {
        result.push_back(Member{name, {&field}, false});
        continue;
      }
      std::string base = name.substr(0, bracket);
      if (result.empty() || result.back().name != base) result.push_back(Member{base, {}, true});
      result.back().fields.push_back(&field);
    }
    return result;
  }();
  return list;
}

std::string fieldLabel(const std::string& name) { return "field \"" + name + "\""; }

std::string numberText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string rangeText(const FieldInfo& field) {
  return numberText(field.minimum) + " to " + numberText(field.maximum);
}

// The stored word of one field, checked.
Result<void> checkStored(const ParameterRecord& record, const FieldInfo& field) {
  if (field.type == kFieldFloat) {
    float value = fieldValue(&record, field);
    if (!std::isfinite(value)) {
      return fail(fieldLabel(field.name) + " holds " + numberText(value) + ", not a finite number");
    }
    if (field.ranged && (value < field.minimum || value > field.maximum)) {
      return fail(fieldLabel(field.name) + " holds " + numberText(value) + ", outside its range " +
                  rangeText(field));
    }
    return {};
  }
  int32_t word = fieldInteger(&record, field);
  if (field.type == kFieldBool && word != 0 && word != 1) {
    return fail(fieldLabel(field.name) + " holds " + std::to_string(word) +
                ", but a switch holds 0 or 1");
  }
  if (field.ranged && (word < field.minimum || word > field.maximum)) {
    return fail(fieldLabel(field.name) + " holds " + std::to_string(word) + ", outside its range " +
                rangeText(field));
  }
  return {};
}

// A real as the JSON number with the fewest digits that reads back as the
// same 32-bit value.
RecordJson realToJson(float value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  double shortest = 0;
  std::from_chars(buffer, result.ptr, shortest);
  // Reading the decimal as a double and then narrowing it rounds twice; in
  // the rare case where that lands on another value, the exact double is used.
  float back = static_cast<float>(shortest);
  if (std::memcmp(&back, &value, sizeof value) != 0) shortest = value;
  return RecordJson(shortest);
}

RecordJson wordToJson(const ParameterRecord& record, const FieldInfo& field) {
  switch (field.type) {
    case kFieldBool:
      return RecordJson(fieldInteger(&record, field) != 0);
    case kFieldInt:
      return RecordJson(fieldInteger(&record, field));
    case kFieldFloat:
      break;
  }
  return realToJson(fieldValue(&record, field));
}

}  // namespace

Result<FieldWord> fieldWordFromJson(const FieldInfo& field, const RecordJson& value) {
  const std::string name = fieldLabel(field.name);
  switch (field.type) {
    case kFieldBool:
      if (!value.is_boolean()) {
        return fail(name + " must be true or false, not " + value.dump());
      }
      return FieldWord{int32_t{value.get<bool>() ? 1 : 0}};
    case kFieldInt: {
      if (!value.is_number_integer()) {
        return fail(name + " must be a whole number, not " + value.dump());
      }
      bool fits = value.is_number_unsigned()
                      ? value.get<uint64_t>() <= uint64_t{std::numeric_limits<int32_t>::max()}
                      : value.get<int64_t>() >= std::numeric_limits<int32_t>::min() &&
                            value.get<int64_t>() <= std::numeric_limits<int32_t>::max();
      int64_t whole = fits ? value.get<int64_t>() : 0;
      if (!fits || (field.ranged && (whole < field.minimum || whole > field.maximum))) {
        return fail(name + " is " + value.dump() + ", outside its range " +
                    (field.ranged ? rangeText(field) : std::string("of a 32-bit word")));
      }
      return FieldWord{static_cast<int32_t>(whole)};
    }
    case kFieldFloat:
      break;
  }
  if (!value.is_number()) {
    return fail(name + " must be a number, not " + value.dump());
  }
  double exact = value.get<double>();
  float real = static_cast<float>(exact);
  if (!std::isfinite(exact) || !std::isfinite(real)) {
    return fail(name + " is " + numberText(exact) + ", not a finite 32-bit real");
  }
  if (field.ranged && (real < field.minimum || real > field.maximum)) {
    return fail(name + " is " + numberText(exact) + ", outside its range " + rangeText(field));
  }
  return FieldWord{real};
}

void storeFieldWord(ParameterRecord* record, const FieldInfo& field, const FieldWord& word) {
  if (const int32_t* integer = std::get_if<int32_t>(&word))
    setFieldInteger(record, field, *integer);
  else
    setFieldValue(record, field, std::get<float>(word));
}

namespace {

// One JSON value into one field of the record, checked.
Result<void> storeValue(ParameterRecord& record, const FieldInfo& field, const RecordJson& value) {
  Result<FieldWord> word = fieldWordFromJson(field, value);
  if (!word) return word.failure();
  storeFieldWord(&record, field, *word);
  return {};
}

Result<void> storeMember(ParameterRecord& record, const Member& member, const RecordJson& value) {
  if (!member.isArray) return storeValue(record, *member.fields.front(), value);
  if (!value.is_array() || value.size() != member.fields.size()) {
    return fail(fieldLabel(member.name) + " must be an array of " +
                std::to_string(member.fields.size()) + " values, not " + value.dump());
  }
  for (size_t k = 0; k < member.fields.size(); ++k)
    if (Result<void> stored = storeValue(record, *member.fields[k], value[k]); !stored)
      return stored;
  return {};
}

// The field whose value the text at `offset` belongs to: the last member
// name before it, with the element index when it lies in an array.
std::string fieldBefore(const std::string& text, size_t offset) {
  std::string head = text.substr(0, std::min(offset, text.size()));
  static const std::regex key("\"([A-Za-z_][A-Za-z0-9_]*)\"\\s*:");
  std::string name;
  size_t valueStart = 0;
  for (auto it = std::sregex_iterator(head.begin(), head.end(), key); it != std::sregex_iterator();
       ++it) {
    name = (*it)[1];
    valueStart = it->position() + it->length();
  }
  if (name.empty()) return "";
  std::string value = head.substr(valueStart);
  size_t open = value.find('[');
  if (open != std::string::npos && value.find(']') == std::string::npos) {
    size_t commas = 0;
    for (char c : value.substr(open)) commas += c == ',';
    name += "[" + std::to_string(commas) + "]";
  }
  return name;
}

}  // namespace

Result<void> checkRecord(const ParameterRecord& record) {
  for (const FieldInfo& field : kFieldTable)
    if (Result<void> checked = checkStored(record, field); !checked) return checked;
  return {};
}

Result<RecordJson> recordToJson(const ParameterRecord& record) {
  if (Result<void> checked = checkRecord(record); !checked) return checked.failure();
  RecordJson json = RecordJson::object();
  for (const Member& member : members()) {
    if (!member.isArray) {
      json[member.name] = wordToJson(record, *member.fields.front());
      continue;
    }
    RecordJson array = RecordJson::array();
    for (const FieldInfo* field : member.fields) array.push_back(wordToJson(record, *field));
    json[member.name] = std::move(array);
  }
  return json;
}

Result<ParameterRecord> recordFromJson(const RecordJson& json, const ParameterRecord* base) {
  if (!json.is_object()) {
    return fail("a parameter record is a JSON object of named fields, not " +
                std::string(json.type_name()));
  }
  std::map<std::string, const Member*> byName;
  for (const Member& member : members()) byName[member.name] = &member;
  for (const auto& item : json.items()) {
    if (!byName.count(item.key())) {
      return fail("unknown field \"" + item.key() + "\"");
    }
  }
  ParameterRecord record;
  if (base)
    record = *base;
  else
    std::memset(&record, 0, sizeof record);
  for (const Member& member : members()) {
    auto found = json.find(member.name);
    if (found == json.end()) {
      if (base) continue;
      return fail(fieldLabel(member.name) + " is missing");
    }
    if (Result<void> stored = storeMember(record, member, *found); !stored) return stored.failure();
  }
  return record;
}

Result<ParameterRecord> recordFromJsonText(const std::string& text, const ParameterRecord* base) {
  if (Result<void> deep = checkJsonDepth(text); !deep) return deep.failure();
  RecordJson json;
  // A field written twice would silently take its last value; it is refused.
  std::set<std::string> seen;
  std::string repeated;
  auto noteKeys = [&](int depth, nlohmann::json::parse_event_t event, RecordJson& parsed) {
    if (depth == 1 && event == nlohmann::json::parse_event_t::key && repeated.empty() &&
        !seen.insert(parsed.get<std::string>()).second)
      repeated = parsed.get<std::string>();
    return true;
  };
  try {
    json = RecordJson::parse(text, noteKeys);
  } catch (const RecordJson::parse_error& e) {
    size_t offset = e.byte > 0 ? e.byte - 1 : 0;
    std::string field = fieldBefore(text, offset);
    // The parser stops on the first character it cannot take; a NaN or an
    // infinity starts at the value's first letter.
    size_t start = text.find_first_not_of(" \t\r\n", text.find_last_of(":,[", offset) + 1);
    std::string rest = start == std::string::npos ? "" : text.substr(start, 9);
    static const std::regex nonFinite("^-?(NaN|nan|Infinity|inf|Inf)");
    if (!field.empty() && std::regex_search(rest, nonFinite)) {
      return fail(fieldLabel(field) + " is " + rest.substr(0, rest.find_first_of(",}] \n")) +
                  ", not a finite number");
    }
    size_t line = 1 + std::count(text.begin(), text.begin() + std::min(offset, text.size()), '\n');
    return fail("not valid JSON at line " + std::to_string(line) +
                (field.empty() ? "" : " (in " + fieldLabel(field) + ")") + ": " + e.what());
  } catch (const RecordJson::out_of_range& e) {
    // A number too large for a double (1e999) is reported by the parser as an
    // overflow, naming the number's text: find it to name the field.
    std::string what = e.what();
    size_t open = what.find('\'');
    size_t close = what.rfind('\'');
    std::string number = open < close ? what.substr(open + 1, close - open - 1) : "";
    size_t at = number.empty() ? std::string::npos : text.find(number);
    std::string field = at == std::string::npos ? "" : fieldBefore(text, at);
    return fail((field.empty() ? std::string("a number") : fieldLabel(field)) + " is " +
                (number.empty() ? std::string("too large") : number) + ", not a finite number");
  }
  if (!repeated.empty()) {
    return fail(fieldLabel(repeated) + " is given more than once");
  }
  return recordFromJson(json, base);
}

}  // namespace heart
