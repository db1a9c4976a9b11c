// "ADM List Suite" and "ADM Entry Suite": the entries of a popup list.
#include "dialog_manager/dialog_suites.h"
#include "dialog_manager/suite_access.h"

namespace heart {
namespace {

using namespace suite_access;

ADMEntryRef InsertEntry(ADMListRef ref, ASInt32 index) {
  ItemList* found = list(ref);
  return found ? toRef(&found->insert(index)) : nullptr;
}

ADMEntryRef IndexEntry(ADMListRef ref, ASInt32 index) {
  ItemList* found = list(ref);
  return found ? toRef(found->at(index)) : nullptr;
}

ASInt32 NumberOfEntries(ADMListRef ref) {
  ItemList* found = list(ref);
  return found ? found->size() : 0;
}

ADMEntryRef GetSelectedEntry(ADMListRef ref) {
  ItemList* found = list(ref);
  return found ? toRef(found->selected()) : nullptr;
}

ADMEntryRef GetActiveEntry(ADMListRef ref) {
  ItemList* found = list(ref);
  return found ? toRef(found->active()) : nullptr;
}

void SetEntryText(ADMEntryRef ref, const char* text) {
  if (ListEntry* found = entry(ref)) found->text = text ? text : "";
}

void GetEntryText(ADMEntryRef ref, char* buffer, ASInt32 bufferSize) {
  ListEntry* found = entry(ref);
  copyText(found ? found->text : std::string(), buffer, bufferSize);
}

void SetEntryID(ADMEntryRef ref, ASInt32 entryId) {
  if (ListEntry* found = entry(ref)) found->id = entryId;
}

ASInt32 GetEntryID(ADMEntryRef ref) {
  ListEntry* found = entry(ref);
  return found ? found->id : 0;
}

void Select(ADMEntryRef ref, ASBoolean select) {
  if (ListEntry* found = entry(ref)) found->list->select(*found, select != 0);
}

ASBoolean IsSelected(ADMEntryRef ref) {
  ListEntry* found = entry(ref);
  return found && found->selected ? 1 : 0;
}

const ADMListSuite kListSuite = {
    .InsertEntry = InsertEntry,
    .IndexEntry = IndexEntry,
    .NumberOfEntries = NumberOfEntries,
    .GetSelectedEntry = GetSelectedEntry,
    .GetActiveEntry = GetActiveEntry,
};

const ADMEntrySuite kEntrySuite = {
    .SetText = SetEntryText,
    .GetText = GetEntryText,
    .SetID = SetEntryID,
    .GetID = GetEntryID,
    .Select = Select,
    .IsSelected = IsSelected,
};

}  // namespace

const ADMListSuite& admListSuite() { return kListSuite; }
const ADMEntrySuite& admEntrySuite() { return kEntrySuite; }

}  // namespace heart
