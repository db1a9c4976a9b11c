// `heart fields`: every field of the parameter record with its unit, range,
// default, and the dialog item and page that edit it, then the buttons a
// dialog script may name. The names are those of --set and of scripts.
#include <iomanip>
#include <iostream>
#include <span>
#include <sstream>

#include "cli_verbs.h"
#include "dialog_item_names.h"
#include "plugin/params/dialog_pages.h"
#include "plugin/params/field_table.h"

namespace heart::cli {
namespace {

std::string realText(float value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

std::string rangeOf(const FieldInfo& field) {
  if (!field.ranged) return "-";
  if (field.type == kFieldBool) return "true/false";
  return realText(field.minimum) + " to " + realText(field.maximum);
}

std::string defaultOf(const FieldInfo& field) {
  switch (field.defaultKind) {
    case kDefaultConstant:
      if (field.type == kFieldBool) return field.defaultValue != 0 ? "true" : "false";
      return realText(field.defaultValue);
    case kDefaultViewX:
      return "view centre x - 200";
    case kDefaultViewY:
      return "view centre y";
    case kDefaultNotWritten:
      break;
  }
  return "-";
}

std::string itemOf(const FieldInfo& field) {
  return field.dialogItem != 0 ? std::to_string(field.dialogItem) : "-";
}

std::string pageOf(const FieldInfo& field) {
  if (field.dialogItem == 0) return "-";
  const int page = dialogPageOfItem(field.dialogItem);
  return page > 0 ? pageName(page) : "every page";
}

void printFields(std::ostream& out) {
  out << std::left << std::setw(22) << "FIELD" << std::setw(19) << "UNIT" << std::setw(17)
      << "RANGE" << std::setw(21) << "DEFAULT" << std::setw(6) << "ITEM"
      << "PAGE\n";
  for (const FieldInfo& field : std::span(kFieldTable, kFieldCount)) {
    std::string unit = *field.unit ? field.unit : (field.type == kFieldBool ? "switch" : "-");
    out << std::left << std::setw(22) << field.name << std::setw(19) << unit << std::setw(17)
        << rangeOf(field) << std::setw(21) << defaultOf(field) << std::setw(6) << itemOf(field)
        << pageOf(field) << "\n";
  }
  out << "\nButtons a script may name: ";
  bool first = true;
  for (const NamedButton& button : namedButtons()) {
    out << (first ? "" : ", ") << button.name << " (" << button.item << ")";
    first = false;
  }
  out << "; the page buttons are items " << kDialogPages[0].button << " to "
      << kDialogPages[kDialogPageCount - 1].button << " (\"page N\" presses them).\n";
}

void addFieldsVerb(CLI::App& app, CliContext& context) {
  CLI::App* verb = app.add_subcommand(
      "fields", "List the record's fields: unit, range, default, dialog item and page");
  verb->callback([&context] {
    printFields(std::cout);
    context.exitCode = kExitDone;
  });
}

}  // namespace

HEART_CLI_VERB(60, addFieldsVerb);

}  // namespace heart::cli
