// The one description of the parameter record's 85 words: name, offset,
// type, unit, the range of the dialog item that edits it, default and dialog
// item (the page that item stands on is in dialog_pages.h). The record tools,
// the options dialog and the host's record files all read it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plugin/params/parameter_record.h"

enum FieldType : int32_t { kFieldBool = 0, kFieldInt = 1, kFieldFloat = 2 };

// How a field's default is formed.
enum FieldDefault : int32_t {
  kDefaultConstant = 0,   // `defaultValue`
  kDefaultViewX = 1,      // the front view's centre x minus 200
  kDefaultViewY = 2,      // the front view's centre y
  kDefaultNotWritten = 3  // left as it is (finalRun, the dialog bounds)
};

struct FieldInfo {
  const char* name;  // the field's name; array elements as "shapeTweaks[3]"
  int32_t offset;    // byte offset in the record
  FieldType type;
  const char* unit;  // "points", "percent", "degrees", "tenths of a point", "count", ""
  float minimum;     // range of the dialog item (0/1 for switches)
  float maximum;
  bool ranged;  // false for the reserved words, which hold any 32-bit value
  FieldDefault defaultKind;
  float defaultValue;
  int32_t dialogItem;  // item id in the options dialog, 0 when none
};

constexpr int kFieldCount = 85;
extern const FieldInfo kFieldTable[kFieldCount];

// The entry for a field name, or null.
const FieldInfo* findField(const char* name);

// Read and write a word of the record as a real, whatever its type.
float fieldValue(const ParameterRecord* record, const FieldInfo& field);
void setFieldValue(ParameterRecord* record, const FieldInfo& field, float value);
// A switch, count or list word as it is stored, without passing through a
// real, so that any stored integer reads back exactly; a real word reads as
// its whole part, or 0 when that does not fit 32 bits.
int32_t fieldInteger(const ParameterRecord* record, const FieldInfo& field);
void setFieldInteger(ParameterRecord* record, const FieldInfo& field, int32_t value);

// The field whose word starts at a byte offset, or null.
const FieldInfo* fieldAtOffset(int32_t offset);

// The field that an item of the options dialog shows, or null for items
// that show none.
const FieldInfo* fieldForItem(int32_t itemId);
